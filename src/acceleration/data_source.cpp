#include "acceleration/data_source.h"

#include <cmath>

#include "common/number_text.h"

namespace kelvra::acceleration {

namespace {

bool IsSeparator(char c) {
  return c == ';' || c == ' ';
}

}  // namespace

DataLine SplitDataLine(std::string_view line) {
  std::string text(line);
  for (char& c : text) {
    if (c == '.')
      c = ',';
  }
  DataLine out;
  std::size_t first = 0;
  while (first < text.size() && !IsSeparator(text[first]))
    ++first;
  out.speed = text.substr(0, first);
  if (first == text.size())
    return out;
  std::size_t second = first + 1;
  while (second < text.size() && !IsSeparator(text[second]))
    ++second;
  out.value = text.substr(first + 1, second - first - 1);
  return out;
}

FileRowsResult RowsFromFileLines(const std::vector<std::string>& lines) {
  FileRowsResult result;
  if (lines.size() > kMaxDataRows) {
    result.message = kTooManyRowsMessage;
    return result;
  }
  result.ok = true;
  result.rows.speeds.reserve(lines.size());
  result.rows.values.reserve(lines.size());
  for (const std::string& line : lines) {
    DataLine split = SplitDataLine(line);
    result.rows.speeds.push_back(std::move(split.speed));
    result.rows.values.push_back(std::move(split.value));
  }
  return result;
}

DataRows RowsFromCurve(const power::CurveSet& curves) {
  DataRows rows;
  const int newest = curves.curveCount - 1;
  if (newest < 0)
    return rows;
  // The set's range never exceeds the engine speeds a vehicle may store.
  const double start = std::trunc(static_cast<double>(curves.r0));
  for (double rpm = start; rpm <= curves.rfin; rpm += 10) {
    const int n = static_cast<int>(rpm);
    const double power10 = power::EvaluateCurve(curves, newest, n, power::Quantity::kPower);
    rows.speeds.push_back(FormatInteger(n));
    rows.values.push_back(FormatGeneral(std::trunc(power10) * 0.1));
  }
  return rows;
}

}  // namespace kelvra::acceleration
