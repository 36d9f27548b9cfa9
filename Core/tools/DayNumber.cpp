#include "Core/tools/DayNumber.h"

#include <cmath>
#include <ctime>
#include <iomanip>
#include <regex>
#include <sstream>
#include <stdexcept>

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

int fromText(const std::string& text) {
    static const std::regex iso(R"((\d{4})-(\d{2})-(\d{2}))");
    std::smatch parts;
    if (std::regex_match(text, parts, iso)) {
        const year_month_day date{year(std::stoi(parts[1])), month(static_cast<unsigned>(std::stoi(parts[2]))),
                                  day(static_cast<unsigned>(std::stoi(parts[3])))};
        if (date.ok()) return fromDate(date);
    }
    throw std::runtime_error("Nieprawidłowa data: \"" + text + "\". Datę podaje się jako RRRR-MM-DD.");
}

std::string toText(double day) {
    const year_month_day date = toDate(day);
    std::ostringstream text;
    text << std::setfill('0') << std::setw(4) << static_cast<int>(date.year()) << '-' << std::setw(2)
         << static_cast<unsigned>(date.month()) << '-' << std::setw(2) << static_cast<unsigned>(date.day());
    return text.str();
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
