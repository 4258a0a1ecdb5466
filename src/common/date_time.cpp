#include "common/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace kelvra {

namespace {

constexpr std::int64_t kMillisecondsPerDayInt = 86400000;

}  // namespace

DateTime LocalNow() {
  using namespace std::chrono;
  const auto now = floor<milliseconds>(system_clock::now());
  const auto seconds = floor<std::chrono::seconds>(now);
  const std::time_t clock = system_clock::to_time_t(system_clock::time_point(seconds));
  std::tm local{};
  localtime_r(&clock, &local);
  const int milliseconds = static_cast<int>((now - seconds).count());
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, milliseconds);
}

DateTime EncodeDate(int year, int month, int day) {
  using namespace std::chrono;
  const sys_days date = std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month)) /
                        std::chrono::day(static_cast<unsigned>(day));
  const sys_days origin = 1899y / December / 30d;
  return static_cast<double>((date - origin).count());
}

DateTime EncodeTime(int hours, int minutes, int seconds, int milliseconds) {
  const std::int64_t total =
      ((static_cast<std::int64_t>(hours) * 60 + minutes) * 60 + seconds) * 1000 + milliseconds;
  return static_cast<double>(total) / kMillisecondsPerDay;
}

TimeParts SplitTime(DateTime value) {
  TimeParts parts;
  if (!std::isfinite(value))
    return parts;
  const double magnitude = std::fabs(value);
  std::int64_t ms = std::llround((magnitude - std::floor(magnitude)) * kMillisecondsPerDay);
  if (ms >= kMillisecondsPerDayInt)
    ms = 0;  // rounds up to the next midnight
  parts.hours = static_cast<int>(ms / 3600000);
  parts.minutes = static_cast<int>(ms / 60000 % 60);
  parts.seconds = static_cast<int>(ms / 1000 % 60);
  parts.milliseconds = static_cast<int>(ms % 1000);
  return parts;
}

double TimeOfDay(DateTime value) {
  const double fraction = value - std::floor(value);
  // A tiny negative value gives 1.0 after rounding; keep the promise of [0, 1).
  return fraction < 1.0 ? fraction : 0.0;
}

}  // namespace kelvra
