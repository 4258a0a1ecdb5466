#pragma once

#include <string>
#include <vector>

#include "power/curve_computation.h"

namespace kelvra::power {

// "Exporter données": one line per 50 tr/mn over CurveExportRange, "3000;64,2;152,31", the newest
// curve's power (cv) and torque (N·m) unrounded, multiplied by `correction`. No lines while the
// set holds no curve.
std::vector<std::string> ExportRows(const PowerWorkspace& workspace, double correction);

// What Memo4 shows when the curve is not linked to the vehicle: the hint, then the newest curve's
// coefficients, highest power of engine speed first.
std::vector<std::string> CoefficientLines(const CurveSet& set);

inline constexpr const char* kLinkQuestion = "Lier la courbe au véhicule ?";
inline constexpr const char* kLinkCaption = "Attention";
inline constexpr const char* kHideHint = "Double-cliquer pour masquer";
inline constexpr const char* kNoCurveMessage = "Aucune courbe : ajoutez d'abord une courbe.";

}  // namespace kelvra::power
