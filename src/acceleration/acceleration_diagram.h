#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "acceleration/data_source.h"
#include "form/chart.h"
#include "vehicle/derived_constants.h"

namespace kelvra::acceleration {

inline constexpr int kGears = 6;

// What the engine values of the rows mean: rbDCV, rbDKW or rbDNM.
enum class ValueKind { kPowerCv, kPowerKw, kTorqueNm };

// Everything "Calculer" reads from the tab and the vehicle editor.
struct DiagramInputs {
  DataRows rows;                                   // meReg, mePow
  ValueKind kind = ValueKind::kPowerCv;            // rbDCV
  std::array<std::string, kGears> gearSpeedTexts;  // edRv1 .. edRv6, km/h at 1000 tr/mn
  vehicle::DerivedConstants constants;
  bool tyreFriction = true;         // cbDpneu
  bool kmhPerSecond = false;        // RadioButton2; rbDms otherwise
  bool opti = true;                 // CheckBox3
  std::string optiLowSpeed = "30";  // Edit9, km/h
  bool envelope = false;            // cbMax
};

using Points = std::vector<form::ChartPoint>;

struct DiagramResult {
  int gearCount = 0;
  std::array<Points, kGears> gears;        // Series1 .. Series6
  Points opti;                             // Series7
  Points envelope;                         // Series8, MaxEnvelope; empty unless "Max"
  std::array<float, kGears> shiftSpeed{};  // km/h; the top gear's is the top speed
  float maxWheelPower = 0;                 // W
  float topSpeed = 0;                      // km/h, topSpeed1
  std::vector<std::string> maxLines;       // meDRes
  std::vector<std::string> shiftLines;     // meDpas
};

inline constexpr const char* kNoDataLine = "Aucune donnée";
inline constexpr const char* kMissingValuesMessage =
    "Données incomplètes : moins de valeurs que de régimes.";

// The gear count: 6, or the index of the first speed whose text is exactly "0".
int GearCount(const std::array<std::string, kGears>& gearSpeedTexts);

// The diagram and its work tables, which live with the tab: the estimate reads the accelerations
// of the latest computation.
class AccelerationDiagram {
 public:
  using Table = std::array<std::array<float, kGears>, kMaxDataRows>;

  // Button28Click's computation. A text that does not convert throws ConversionError, a zero road
  // speed or "Opti" low speed DivisionByZeroError, more than kMaxDataRows rows or fewer values
  // than engine speeds Error; the tables are then left as the previous computation made them.
  DiagramResult Compute(const DiagramInputs& inputs);

  // Road speed (m/s) and acceleration (m/s², or km/h/s on drawn rows in that unit) of row i in gear
  // g.
  const Table& GearSpeedTable() const { return *speed_; }
  const Table& GearAccelTable() const { return *accel_; }
  const std::array<float, kGears>& GearSpeedPer1000() const { return gearSpeedPer1000_; }

 private:
  std::unique_ptr<Table> speed_ = std::make_unique<Table>();
  std::unique_ptr<Table> accel_ = std::make_unique<Table>();
  std::array<float, kGears> gearSpeedPer1000_{};
};

}  // namespace kelvra::acceleration
