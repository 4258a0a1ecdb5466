#include "simulator/pid_encoding.h"

#include <algorithm>
#include <cmath>

namespace kelvra::simulator {

namespace {

std::uint8_t Byte(double raw) {
  return static_cast<std::uint8_t>(std::clamp(std::round(raw), 0.0, 255.0));
}

DataBytes Word(double raw) {
  const auto value = static_cast<unsigned>(std::clamp(std::round(raw), 0.0, 65535.0));
  return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
}

DataBytes Percent(double percent) {
  return {Byte(percent * 255 / 100)};
}

DataBytes Temperature(double celsius) {
  return {Byte(celsius + 40)};
}

DataBytes FuelTrim(double percent) {
  return {Byte(percent * 128 / 100 + 128)};
}

}  // namespace

const std::vector<int>& KnownPids() {
  static const std::vector<int> pids{0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,
                                     0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x2C, 0x2F};
  return pids;
}

std::optional<DataBytes> EncodePid(int pid, const EngineReadings& r) {
  switch (pid) {
    case 0x04:
      return Percent(r.loadPercent);
    case 0x05:
      return Temperature(r.coolantC);
    case 0x06:
      return FuelTrim(r.shortTrimBank1Percent);
    case 0x07:
      return FuelTrim(r.longTrimBank1Percent);
    case 0x08:
      return FuelTrim(r.shortTrimBank2Percent);
    case 0x09:
      return FuelTrim(r.longTrimBank2Percent);
    case 0x0A:
      return DataBytes{Byte(r.fuelPressureKpa / 3)};
    case 0x0B:
      return DataBytes{Byte(r.manifoldPressureKpa)};
    case 0x0C:
      return Word(r.rpm * 4);
    case 0x0D:
      return DataBytes{Byte(r.speedKmh)};
    case 0x0E:
      return DataBytes{Byte(r.timingAdvanceDeg * 2 + 128)};
    case 0x0F:
      return Temperature(r.intakeAirC);
    case 0x10:
      return Word(r.airFlowGramsPerS * 100);
    case 0x11:
      return Percent(r.throttlePercent);
    case 0x2C:
      return Percent(r.egrPercent);
    case 0x2F:
      return Percent(r.fuelLevelPercent);
    default:
      return std::nullopt;
  }
}

}  // namespace kelvra::simulator
