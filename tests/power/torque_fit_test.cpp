#include "power/torque_fit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "common/errors.h"

namespace kelvra::power {
namespace {

TEST(TorqueFitTest, RecoversAPolynomialAsRawEngineSpeedCoefficients) {
  std::vector<double> rpm;
  std::vector<double> torque;
  for (double x = 1500; x <= 6500; x += 25) {
    rpm.push_back(x);
    torque.push_back(-4e-6 * x * x + 0.04 * x + 60);
  }
  const std::vector<double> c = FitTorqueCurve(rpm, torque, 3);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_NEAR(c[0], -4e-6, 1e-15);
  EXPECT_NEAR(c[1], 0.04, 1e-10);
  EXPECT_NEAR(c[2], 60, 1e-6);
  EXPECT_TRUE(FitTorqueCurve(rpm, torque, 0).empty());
  EXPECT_THROW(FitTorqueCurve(std::span(rpm).first(2), std::span(torque).first(2), 3), Error);
}

// Twenty coefficients over a run's range: a smooth curve is followed closely everywhere, quickly.
TEST(TorqueFitTest, TwentyCoefficientsStayAccurateOverTheRange) {
  std::vector<double> rpm;
  std::vector<double> torque;
  const auto truth = [](double x) { return 180 + 40 * std::sin((x - 1200) / 900); };
  for (double x = 1200; x <= 7200; x += 1)
    rpm.push_back(x), torque.push_back(truth(x));
  for (int count : {13, 16, 20}) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<double> c = FitTorqueCurve(rpm, torque, count);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    double worst = 0;
    for (int x = 1200; x <= 7200; x += 10)
      worst = std::max(worst, std::abs(static_cast<double>(EvaluatePolynomial(c, x)) - truth(x)));
    EXPECT_LT(worst, count == 13 ? 0.5 : 0.01) << count << " coefficients";
    RecordProperty("fit_ms_" + std::to_string(count), std::to_string(ms));
  }
}

TEST(TorqueFitTest, OneEngineSpeedGivesAFlatCurve) {
  const std::vector<double> rpm(5, 3000.0);
  const std::vector<double> torque{100, 102, 98, 101, 99};
  const std::vector<double> c = FitTorqueCurve(rpm, torque, 3);
  EXPECT_NEAR(static_cast<double>(EvaluatePolynomial(c, 3000)), 100, 1e-9);
}

}  // namespace
}  // namespace kelvra::power
