#include "Core/tools/DayNumber.h"

#include <cmath>
#include <ctime>

namespace Core::DayNumber {
namespace {

using namespace std::chrono;

constexpr local_days epoch{year(1899) / December / 30};
constexpr double millisecondsPerDay = 86'400'000.0;

}  // namespace

int fromDate(year_month_day date) {
    return (local_days{date} - epoch).count();
}

year_month_day toDate(double day) {
    return year_month_day{epoch + days{static_cast<days::rep>(std::floor(day))}};
}

double fromDateTime(LocalTime time) {
    const auto day = floor<days>(time);
    return (day - epoch).count() + static_cast<double>((time - day).count()) / millisecondsPerDay;
}

LocalTime toDateTime(double day) {
    return epoch + milliseconds{std::llround(day * millisecondsPerDay)};
}

double now() {
    const auto utc = floor<milliseconds>(system_clock::now());
    const std::time_t seconds = system_clock::to_time_t(utc);
    std::tm local{};
    localtime_r(&seconds, &local);
    return fromDateTime(LocalTime{utc.time_since_epoch() + std::chrono::seconds{local.tm_gmtoff}});
}

int today() {
    return static_cast<int>(std::floor(now()));
}

}  // namespace Core::DayNumber
