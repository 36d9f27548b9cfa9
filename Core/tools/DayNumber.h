#pragma once
// Day numbers: the store's one way of writing dates. Whole days count from
// 1899-12-30 (day 40544 is 2011-01-01); the fraction is the time of day
// (0.5 is noon). Day numbers before 1899-12-30 are plain negative numbers.

#include <chrono>
#include <string>

namespace Core::DayNumber {

// 9999-12-31, written where a period has no end.
inline constexpr int noEndDate = 2958465;

// Local wall-clock time, to the millisecond.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;

int fromDate(std::chrono::year_month_day date);
// The calendar date of a day number; the time of day is dropped.
std::chrono::year_month_day toDate(double day);

double fromDateTime(LocalTime time);
// Rounded to the nearest millisecond.
LocalTime toDateTime(double day);

// A date written "YYYY-MM-DD" as a day number; std::runtime_error for any other text.
int fromText(const std::string& text);
// The date of a day number written "YYYY-MM-DD"; the time of day is dropped.
std::string toText(double day);

// The current local date and time, and the current local date.
double now();
int today();

}  // namespace Core::DayNumber
