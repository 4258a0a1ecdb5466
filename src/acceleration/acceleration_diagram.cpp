#include "acceleration/acceleration_diagram.h"

#include <algorithm>
#include <cmath>

#include "acceleration/truncation.h"
#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::acceleration {

namespace {

constexpr double kKmhToMs = 0.2777777777777778;
constexpr double kCvToKw = 0.7352941176470588;
constexpr double kTorqueToCv = 0.0001424298532972511;  // 1/7021, per tr/mn

double EnginePowerKw(ValueKind kind, double value, double rpm) {
  switch (kind) {
    case ValueKind::kPowerCv:
      return value * kCvToKw;
    case ValueKind::kPowerKw:
      return value;
    case ValueKind::kTorqueNm:
      return value * kTorqueToCv * rpm * kCvToKw;
  }
  return value;
}

// Acceleration at road speed v (m/s) with wheel power w (W): what is left of the traction force
// once the aerodynamic drag and the rolling resistance are paid.
float Acceleration(const DiagramInputs& in, double w, float v) {
  const vehicle::DerivedConstants& c = in.constants;
  if (v == 0 || c.vehicleMass == 0)
    throw DivisionByZeroError();
  const double rolling = in.tyreFriction ? static_cast<double>(c.rollingFriction) * c.gravity : 0;
  const double vv = v;
  return static_cast<float>(w / c.vehicleMass / vv -
                            vv * vv * c.airDensity * c.dragArea * 0.5 / c.vehicleMass - rolling);
}

// The best gear at each speed: each gear from the speed where the previous one was left up to its
// own shift speed; the top gear ends at the top speed.
Points Envelope(const AccelerationDiagram::Table& speed, const AccelerationDiagram::Table& accel,
                const std::array<float, kGears>& shift, int n, int gearCount) {
  Points out;
  double x0 = 0;
  int k = 0;
  int start = 0;
  while (k < gearCount) {
    bool switched = false;
    for (int i = start; i < n; ++i) {
      const double x = static_cast<double>(speed[i][k]) * 3.6;
      if (x < x0)
        continue;
      if (x < shift[k]) {
        out.push_back({x, accel[i][k]});
        if (i == n - 1)
          x0 = shift[k];
      } else {
        x0 = shift[k];
        ++k;
        switched = true;
        break;
      }
    }
    if (switched) {
      // The next gear's scan starts at its second row.
      start = 1;
    } else {
      ++k;
      start = 0;
    }
  }
  return out;
}

}  // namespace

int GearCount(const std::array<std::string, kGears>& gearSpeedTexts) {
  for (int g = 0; g < kGears; ++g) {
    if (gearSpeedTexts[g] == "0")
      return g;
  }
  return kGears;
}

DiagramResult AccelerationDiagram::Compute(const DiagramInputs& in) {
  const std::size_t rowCount = in.rows.speeds.size();
  if (rowCount > kMaxDataRows)
    throw Error(kTooManyRowsMessage);
  if (in.rows.values.size() < rowCount)
    throw Error(kMissingValuesMessage);
  const int n = static_cast<int>(rowCount);

  // Work on copies: an error leaves the tables of the previous computation whole.
  auto speed = std::make_unique<Table>(*speed_);
  auto accel = std::make_unique<Table>(*accel_);
  std::array<float, kGears> per1000 = gearSpeedPer1000_;

  DiagramResult r;
  const int G = GearCount(in.gearSpeedTexts);
  r.gearCount = G;
  std::vector<double> rpms(rowCount);
  std::vector<double> values(rowCount);
  for (int i = 0; i < n; ++i) {
    rpms[i] = ParseReal(in.rows.speeds[i]);
    values[i] = ParseReal(in.rows.values[i]);
  }
  const double loss = in.constants.transmissionLoss;
  const double factor = in.kmhPerSecond ? 3.6 : 1.0;

  for (int g = G - 1; g >= 0; --g) {
    per1000[g] = static_cast<float>(ParseReal(in.gearSpeedTexts[g]));
    bool first = true;
    float& shift = r.shiftSpeed[g];
    for (int i = 0; i < n; ++i) {
      const float v = static_cast<float>(rpms[i] * 0.001 * per1000[g] * kKmhToMs);
      (*speed)[i][g] = v;
      const float w =
          static_cast<float>(EnginePowerKw(in.kind, values[i], rpms[i]) * 1000 * (1 - loss));
      if (w > r.maxWheelPower)
        r.maxWheelPower = w;
      const float a = Acceleration(in, w, v);
      (*accel)[i][g] = a;
      // Rows at the start of the list are not drawn while the gear cannot accelerate.
      if (first && a <= 0)
        continue;
      first = false;
      (*accel)[i][g] = static_cast<float>(a * factor);
      const float shown = (*accel)[i][g];
      r.gears[g].push_back({v * 3.6, shown});
      if (g < G - 1) {
        // Shift up where the next gear, one row further, pulls harder. Only this computation's
        // rows are searched: older rows belong to other data.
        int found = -1;
        for (int row = 0; row < n; ++row) {
          if ((*speed)[row][g + 1] >= v) {
            found = row;
            break;
          }
        }
        const float next = (found <= 0 || found >= n - 1) ? 0.0f : (*accel)[found + 1][g + 1];
        if (shift == 0 && next > shown)
          shift = static_cast<float>(v * 3.6);
        else if (shift != 0 && next < shown)
          shift = 0;
      } else {
        if (shift == 0 && shown < 0)
          shift = static_cast<float>(v * 3.6);
        else if (shift != 0 && shown > 0)
          shift = 0;
      }
    }
    if (shift == 0 && n > 0)
      shift = static_cast<float>((*speed)[n - 1][g] * 3.6);
  }

  if (in.envelope)
    r.envelope = Envelope(*speed, *accel, r.shiftSpeed, n, G);

  const std::string unit = in.kmhPerSecond ? " km/h/s" : "m/s²";
  if (n == 0) {
    r.maxLines.push_back(kNoDataLine);
    r.shiftLines.push_back(kNoDataLine);
  } else {
    for (int g = 0; g < G; ++g) {
      double top = r.gears[g].empty() ? 0 : r.gears[g].front().y;
      for (const form::ChartPoint& p : r.gears[g])
        top = std::max(top, p.y);
      r.maxLines.push_back(FormatInteger(g + 1) + "°: " +
                           FormatGeneral(static_cast<double>(Trunc(top * 100)) * 0.01) + unit);
      const std::string speedText =
          FormatInteger(Trunc(r.shiftSpeed[g])) + "km/h (" +
          FormatInteger(Trunc(static_cast<double>(r.shiftSpeed[g]) / per1000[g] * 1000)) + "rpm)";
      if (g < G - 1)
        r.shiftLines.push_back(FormatInteger(g + 1) + "->" + FormatInteger(g + 2) + " : " +
                               speedText);
      else
        r.shiftLines.push_back("Vmax : " + speedText);
    }
  }
  if (G > 0)
    r.topSpeed = r.shiftSpeed[G - 1];

  if (in.opti && G > 0) {
    const double low = ParseIntegerOr(in.optiLowSpeed, 36) / 3.6;
    for (int j = 0; j < 100; ++j) {
      const float v = static_cast<float>(j * static_cast<double>(r.topSpeed) * 0.01 * kKmhToMs);
      if (low > v)
        continue;
      const float a = Acceleration(in, r.maxWheelPower, v);
      r.opti.push_back({v * 3.6, a * factor});
    }
  }

  speed_ = std::move(speed);
  accel_ = std::move(accel);
  gearSpeedPer1000_ = per1000;
  return r;
}

}  // namespace kelvra::acceleration
