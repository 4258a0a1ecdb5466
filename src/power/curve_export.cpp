#include "power/curve_export.h"

#include "common/number_text.h"

namespace kelvra::power {

std::vector<std::string> ExportRows(const PowerWorkspace& workspace, double correction) {
  std::vector<std::string> rows;
  const CurveSet& set = workspace.curves;
  if (set.curveCount < 1)
    return rows;
  const int newest = set.curveCount - 1;
  const ExportRange range = CurveExportRange(workspace);
  for (int n = range.first; n <= range.last; n += 50) {
    rows.push_back(
        FormatInteger(n) + ";" +
        FormatGeneral(EvaluateCurve(set, newest, n, Quantity::kPower, correction) * 0.1) + ";" +
        FormatGeneral(EvaluateCurve(set, newest, n, Quantity::kTorque, correction) * 0.1));
  }
  return rows;
}

std::vector<std::string> CoefficientLines(const CurveSet& set) {
  std::vector<std::string> lines{kHideHint};
  if (set.curveCount < 1 || set.curveCount > CurveSet::kColumns)
    return lines;
  for (double coefficient : set.columns[set.curveCount - 1])
    lines.push_back(FormatGeneral(coefficient));
  return lines;
}

}  // namespace kelvra::power
