#include "Core/tools/DayNumber.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <stdexcept>

using namespace std::chrono;
namespace DayNumber = Core::DayNumber;

TEST(DayNumber, WholeDaysCountFromTheLastDaysOf1899FractionsAreTheTimeOfDayDatesAreWrittenYearMonthDayAndNowIsLocal) {
    EXPECT_EQ(DayNumber::fromDate(2011y / January / 1), 40544);
    EXPECT_EQ(DayNumber::fromDate(1899y / December / 30), 0);
    EXPECT_EQ(DayNumber::fromDate(1899y / December / 29), -1);
    EXPECT_EQ(DayNumber::fromDate(9999y / December / 31), DayNumber::noEndDate);
    EXPECT_EQ(DayNumber::toDate(40544.99), 2011y / January / 1);
    EXPECT_EQ(DayNumber::toDate(DayNumber::noEndDate), 9999y / December / 31);
    EXPECT_EQ(DayNumber::toDate(-0.5), 1899y / December / 29);

    const DayNumber::LocalTime noon = local_days{2011y / January / 1} + 12h;
    EXPECT_DOUBLE_EQ(DayNumber::fromDateTime(noon), 40544.5);
    EXPECT_EQ(DayNumber::toDateTime(40544.5), noon);
    const DayNumber::LocalTime moment = local_days{2024y / February / 29} + 23h + 59min + 59s + 999ms;
    EXPECT_EQ(DayNumber::toDateTime(DayNumber::fromDateTime(moment)), moment);

    EXPECT_EQ(DayNumber::fromText("2011-01-01"), 40544);
    EXPECT_EQ(DayNumber::toText(40544.75), "2011-01-01");
    EXPECT_EQ(DayNumber::toText(DayNumber::noEndDate), "9999-12-31");
    for (const char* bad : {"2023-02-29", "2011-1-01", "01-01-2011", "2011-01-01 ", ""})
        EXPECT_THROW(DayNumber::fromText(bad), std::runtime_error) << bad;
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { DayNumber::fromText("jutro"); }),
              "Nieprawidłowa data: \"jutro\". Datę podaje się jako RRRR-MM-DD.");

    const auto localDate = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return DayNumber::fromDate(year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday);
    };
    const int before = localDate();
    const double now = DayNumber::now();
    const int today = DayNumber::today();
    const int after = localDate();
    EXPECT_GE(today, before);
    EXPECT_LE(today, after);
    EXPECT_EQ(today, static_cast<int>(std::floor(now)));
}
