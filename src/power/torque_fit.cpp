#include "power/torque_fit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cstdint>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::power {

std::string TooFewPointsMessage(std::size_t points, int coefficients) {
  return "Pas assez de points de mesure (" + FormatInteger(static_cast<std::int64_t>(points)) +
         ") pour un lissage de " + FormatInteger(coefficients) +
         " : réduisez le lissage ou choisissez une plage plus longue.";
}

std::vector<double> FitTorqueCurve(std::span<const double> rpm, std::span<const double> torque,
                                   int count) {
  const std::size_t points = std::min(rpm.size(), torque.size());
  if (count <= 0)
    return {};
  if (points < static_cast<std::size_t>(count))
    throw Error(TooFewPointsMessage(points, count));
  const auto [low, high] = std::minmax_element(rpm.begin(), rpm.begin() + points);
  const double centre = (*low + *high) / 2;
  double halfSpan = (*high - *low) / 2;
  if (halfSpan <= 0)
    halfSpan = 1;

  // Columns t^0 .. t^(count-1) with t in [-1, 1]: well conditioned where raw speeds are not.
  const Eigen::Index rows = static_cast<Eigen::Index>(points);
  Eigen::MatrixXd design(rows, count);
  Eigen::VectorXd measured(rows);
  for (Eigen::Index i = 0; i < rows; ++i) {
    const double t = (rpm[i] - centre) / halfSpan;
    double power = 1;
    for (int j = 0; j < count; ++j) {
      design(i, j) = power;
      power *= t;
    }
    measured(i) = torque[i];
  }
  const Eigen::VectorXd scaled = design.colPivHouseholderQr().solve(measured);

  // Horner composition with t = alpha × rpm + beta, in long double; ascending powers of rpm.
  const long double alpha = 1.0L / halfSpan;
  const long double beta = -static_cast<long double>(centre) / halfSpan;
  std::vector<long double> raw{static_cast<long double>(scaled(count - 1))};
  for (int i = count - 2; i >= 0; --i) {
    std::vector<long double> next(raw.size() + 1, 0.0L);
    for (std::size_t j = 0; j < raw.size(); ++j) {
      next[j] += beta * raw[j];
      next[j + 1] += alpha * raw[j];
    }
    next[0] += scaled(i);
    raw = std::move(next);
  }
  std::vector<double> coefficients(count);
  for (int j = 0; j < count; ++j)
    coefficients[j] = static_cast<double>(raw[count - 1 - j]);
  return coefficients;
}

long double EvaluatePolynomial(std::span<const double> coefficients, double rpm) {
  long double sum = 0;
  for (const double c : coefficients)
    sum = sum * rpm + c;
  return sum;
}

}  // namespace kelvra::power
