#pragma once

namespace kelvra {

// A date-time is a double counting days since 30 December 1899, local time; the fraction is the
// time of day. Millisecond resolution.
using DateTime = double;

struct TimeParts {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  int milliseconds = 0;
};

constexpr double kMillisecondsPerDay = 86400000.0;

// The local clock now, to the millisecond.
DateTime LocalNow();
DateTime EncodeDate(int year, int month, int day);
DateTime EncodeTime(int hours, int minutes, int seconds, int milliseconds);
// Splits a date-time or a duration (a difference of date-times) like a time of day: whole days are
// dropped, hours run 0..23; rounded to the nearest millisecond. A negative duration splits its
// magnitude.
TimeParts SplitTime(DateTime value);
// The fraction of the day, always in [0, 1).
double TimeOfDay(DateTime value);

}  // namespace kelvra
