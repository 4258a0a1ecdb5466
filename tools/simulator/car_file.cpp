#include "simulator/car_file.h"

#include <filesystem>
#include <string_view>

#include "common/blanks.h"
#include "common/errors.h"
#include "common/hex.h"
#include "common/ini_file.h"
#include "common/number_text.h"

namespace kelvra::simulator {

namespace {

constexpr std::string_view kSection = "voiture";

// Splits on any of the separators, dropping blanks around the parts and empty parts.
std::vector<std::string_view> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(separators, start);
    if (end == std::string_view::npos)
      end = text.size();
    const std::string_view part = TrimBlanks(text.substr(start, end - start));
    if (!part.empty())
      parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

class CarReader {
 public:
  explicit CarReader(const std::string& path) : ini_(path) {}

  bool Has(std::string_view key) const { return ini_.ValueExists(kSection, key); }
  std::string Text(std::string_view key) const { return ini_.ReadString(kSection, key, ""); }

  void Real(std::string_view key, double& value) const {
    if (Has(key))
      value = Number(key, Text(key));
  }

  double Number(std::string_view key, std::string_view text) const {
    double value = 0;
    if (!TryParseReal(text, value))
      Fail(key, text);
    return value;
  }

  [[noreturn]] void Fail(std::string_view key, std::string_view text) const {
    throw Error("Fichier de voiture " + ini_.path() + ", clé " + std::string(key) +
                " : valeur illisible '" + std::string(text) + "'");
  }

 private:
  IniFile ini_;
};

// "750:95; 1000:105; ..." in tr/mn and N·m.
std::vector<TorquePoint> ReadTorqueCurve(const CarReader& reader) {
  const std::string text = reader.Text("couple");
  std::vector<TorquePoint> curve;
  for (std::string_view pair : Split(text, ";")) {
    const auto values = Split(pair, ":");
    if (values.size() != 2)
      reader.Fail("couple", pair);
    curve.push_back({reader.Number("couple", values[0]), reader.Number("couple", values[1])});
  }
  return curve;
}

// rapport1, rapport2, ... without a gap.
std::vector<double> ReadGears(const CarReader& reader) {
  std::vector<double> gears;
  for (int gear = 1; gear <= 6; ++gear) {
    const std::string key = "rapport" + std::to_string(gear);
    if (!reader.Has(key))
      break;
    gears.push_back(reader.Number(key, reader.Text(key)));
  }
  return gears;
}

// "0A 2C", "010A;012C": the PID in hex, with or without the mode in front.
std::set<int> ReadPids(const CarReader& reader) {
  std::set<int> pids;
  // Kept alive here: the pieces are views into it.
  const std::string text = reader.Text("pid_absents");
  for (std::string_view code : Split(text, "; ,")) {
    const std::string_view pid = code.size() == 4 && code.starts_with("01") ? code.substr(2) : code;
    const auto value = pid.size() == 2 ? ParseHexDigits(pid) : std::nullopt;
    if (!value)
      reader.Fail("pid_absents", code);
    pids.insert(static_cast<int>(*value));
  }
  return pids;
}

}  // namespace

CarDescription LoadCarFile(const std::string& path) {
  // A missing file would read as an empty one: the user would get the default car unawares.
  if (!std::filesystem::is_regular_file(path))
    throw FileError("Fichier de voiture introuvable : " + path);
  const CarReader reader(path);
  CarDescription car = DefaultCar();
  if (reader.Has("nom"))
    car.name = reader.Text("nom");
  if (reader.Has("couple"))
    car.torqueCurve = ReadTorqueCurve(reader);
  if (reader.Has("rapport1"))
    car.gearSpeedsPer1000 = ReadGears(reader);
  if (reader.Has("pid_absents"))
    car.unsupportedPids = ReadPids(reader);
  reader.Real("ralenti", car.idleRpm);
  reader.Real("zone_rouge", car.redlineRpm);
  reader.Real("masse", car.massKg);
  reader.Real("scx", car.dragAreaM2);
  reader.Real("crr", car.rollingCoefficient);
  reader.Real("densite_air", car.airDensity);
  reader.Real("pertes", car.transmissionLossPercent);
  reader.Real("rayon_roue", car.wheelRadiusM);
  reader.Real("inertie_roues", car.wheelsInertia);
  reader.Real("inertie_moteur", car.engineInertia);
  reader.Real("cylindree", car.displacementCm3);
  reader.Real("essence", car.fuelLevelPercent);
  CheckCar(car);
  return car;
}

}  // namespace kelvra::simulator
