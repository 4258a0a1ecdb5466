#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace kelvra::power {

// The least-squares polynomial of torque (N·m) against engine speed (tr/mn) with `count`
// coefficients, highest power of engine speed first, as a stored curve holds them. The model is
// linear in its coefficients, so the optimum is solved directly (Householder QR) in a centred and
// scaled engine speed, then expanded back to raw engine-speed monomials in extended precision.
// Needs at least `count` points, else throws Error with TooFewPointsMessage; a count of 0 gives no
// coefficients (a curve that is 0 everywhere).
std::vector<double> FitTorqueCurve(std::span<const double> rpm, std::span<const double> torque,
                                   int count);

// Why a fit was refused: the user can lower the smoothing or record a longer run.
std::string TooFewPointsMessage(std::size_t points, int coefficients);

// Σ c[j] × rpm^(n−1−j) in extended precision, so that twenty coefficients stay accurate at the
// engine speeds of a run.
long double EvaluatePolynomial(std::span<const double> coefficients, double rpm);

}  // namespace kelvra::power
