#include "vehicle/stored_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/number_text.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

namespace {

constexpr std::int32_t kNoCurve = -1;
constexpr std::int32_t kDefaultStart = 0;
constexpr std::int32_t kDefaultEnd = 32000;
constexpr int kGeneralDigits = 15;
constexpr int kExactDigits = 17;

std::string CoefficientKey(std::size_t index) {
  return std::string(kCoefficientPrefix) + std::to_string(index);
}

// Truncation toward zero, kept inside the 32 bits the file's integers have.
std::int32_t TruncateRpm(double rpm) {
  if (std::isnan(rpm))
    return 0;
  const double limit = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::trunc(std::clamp(rpm, -limit, limit)));
}

}  // namespace

StoredCurve StoredCurve::FromRange(std::vector<double> coefficients, double startRpm,
                                   double endRpm) {
  return StoredCurve{std::move(coefficients), TruncateRpm(startRpm), TruncateRpm(endRpm)};
}

// 15 digits when they give back the very coefficient, else 16 or 17: a curve of 20 coefficients
// read back from 15 digits differs from the computed one by several N.m, while a coefficient like
// 12,5 keeps the text it always had.
std::string CoefficientText(double value) {
  for (int digits = kGeneralDigits; digits < kExactDigits; ++digits) {
    std::string text = FormatGeneral(value, digits);
    double readBack = 0.0;
    if (TryParseReal(text, readBack) && readBack == value)
      return text;
  }
  return FormatGeneral(value, kExactDigits);
}

std::optional<StoredCurve> ReadCurve(const IniFile& file, std::string_view section,
                                     const StateTrace& trace) {
  const std::int32_t count = file.ReadInteger(section, kCountKey, kNoCurve);
  if (count == kNoCurve)
    return std::nullopt;
  if (count < 0 || count > StoredCurve::kMaxCoefficients) {
    if (trace) {
      trace("Courbe de « " + std::string(section) + " » ignorée : " + std::to_string(count) +
            " coefficients (au plus " + std::to_string(StoredCurve::kMaxCoefficients) + ")");
    }
    return std::nullopt;
  }
  StoredCurve curve;
  curve.coefficients.reserve(static_cast<std::size_t>(count));
  for (std::size_t index = 0; index < static_cast<std::size_t>(count); ++index)
    curve.coefficients.push_back(file.ReadFloat(section, CoefficientKey(index), 0.0));
  curve.startRpm = file.ReadInteger(section, kStartKey, kDefaultStart);
  curve.endRpm = file.ReadInteger(section, kEndKey, kDefaultEnd);
  return curve;
}

void WriteCurve(IniFile& file, std::string_view section, const StoredCurve& curve) {
  if (curve.coefficients.size() > static_cast<std::size_t>(StoredCurve::kMaxCoefficients))
    throw std::invalid_argument("a stored curve has at most 20 coefficients");
  IniFile::Batch batch(file);
  file.WriteInteger(section, kCountKey, static_cast<std::int32_t>(curve.coefficients.size()));
  file.WriteInteger(section, kStartKey, curve.startRpm);
  file.WriteInteger(section, kEndKey, curve.endRpm);
  for (std::size_t index = 0; index < curve.coefficients.size(); ++index) {
    file.WriteString(section, CoefficientKey(index), CoefficientText(curve.coefficients[index]));
  }
}

}  // namespace kelvra::vehicle
