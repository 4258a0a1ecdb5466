#include "vehicle/stored_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/windows1252.h"
#include "temp_folder.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::vehicle {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class StoredCurveTest : public ::testing::Test {
 protected:
  std::optional<StoredCurve> ReadSection(const std::string& keys) {
    WriteBytes(store.Path(), "[liste]\r\nA=A\r\n[A]\r\nmasse=900\r\n" + keys);
    return store.ReadStoredCurve("A");
  }

  test::TempFolder folder;
  std::vector<std::string> trace;
  VehicleStore store{[this](std::string_view line) { trace.emplace_back(line); }};
};

// Coefficients as a fit gives them: every digit matters once multiplied by engine speed powers.
std::vector<double> FittedCoefficients(int count) {
  std::vector<double> coefficients;
  for (int k = 0; k < count; ++k)
    coefficients.push_back(std::pow(-1.0, k) * (k + 1.0) / 3.0 * std::pow(10.0, -3.0 * k) * M_PI);
  return coefficients;
}

TEST_F(StoredCurveTest, TwentyCoefficientsReadBackExactly) {
  const StoredCurve curve = StoredCurve::FromRange(FittedCoefficients(20), 1200.9, 6500.2);
  EXPECT_EQ(curve.startRpm, 1200);
  EXPECT_EQ(curve.endRpm, 6500);
  store.WriteStoredCurve("A", curve);
  EXPECT_EQ(store.ReadStoredCurve("A"), curve);
  // Same syntax as the general format, with 17 digits and the active separator.
  const std::string text = Cp1252ToUtf8(ReadBytes(store.Path()));
  EXPECT_NE(text.find("\r\ncoeff0=1,0471975511965976\r\n"), std::string::npos) << text;
  const std::size_t last = text.find("\r\ncoeff19=-2,09439510239319");
  ASSERT_NE(last, std::string::npos) << text;
  EXPECT_EQ(text.substr(text.find("E", last)), "E-56\r\n");
}

TEST_F(StoredCurveTest, CoefficientsTakeOnlyTheDigitsTheyNeed) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {12.5, "12,5"},
      {-0.003, "-0,003"},
      {1.0 / 3.0, "0,3333333333333333"},
      {0.1 + 0.2, "0,30000000000000004"},
      {1e15 / 3.0, "333333333333333,3"},
      {1.25e-7, "1,25E-7"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CoefficientText(c.value), c.text) << c.value;
}

TEST_F(StoredCurveTest, WritesCountRangeThenCoefficientsAfterTheVehicleKeys) {
  WriteBytes(store.Path(), "[liste]\r\nA=A\r\n[A]\r\nmasse=900\r\n[B]\r\nmasse=1\r\n");
  store.WriteStoredCurve("a", StoredCurve{{0.5, 2.0}, 800, 7000});
  EXPECT_EQ(Cp1252ToUtf8(ReadBytes(store.Path())),
            "[liste]\r\nA=A\r\n[A]\r\nmasse=900\r\nnbcoeff=2\r\nr0=800\r\nrfin=7000\r\n"
            "coeff0=0,5\r\ncoeff1=2\r\n[B]\r\nmasse=1\r\n");
}

TEST_F(StoredCurveTest, ValuesAndDefaults) {
  const struct {
    const char* keys;
    std::optional<StoredCurve> expected;
  } cases[] = {
      {"", std::nullopt},
      {"nbcoeff=-1\r\ncoeff0=3\r\n", std::nullopt},
      {"nbcoeff=deux\r\ncoeff0=3\r\n", std::nullopt},
      {"nbcoeff=0\r\n", StoredCurve{{}, 0, 32000}},
      // Written with 15 digits, a point, an exponent, or not at all.
      {"nbcoeff=4\r\ncoeff0=0,333333333333333\r\ncoeff1=1.5\r\ncoeff2=1,5E-6\r\n",
       StoredCurve{{0.333333333333333, 1.5, 1.5e-6, 0.0}, 0, 32000}},
      {"nbcoeff=2\r\ncoeff0=abc\r\ncoeff1=\r\nr0=mille\r\nrfin=\r\n",
       StoredCurve{{0, 0}, 0, 32000}},
      {"nbcoeff=0x2\r\nr0=0x3E8\r\nrfin=0X1770\r\ncoeff0=1\r\ncoeff1=2\r\n",
       StoredCurve{{1, 2}, 1000, 6000}},
      {"NBCOEFF=1\r\nR0=-5\r\nRFIN=9000\r\nCOEFF0=-7,25\r\n", StoredCurve{{-7.25}, -5, 9000}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadSection(c.keys), c.expected) << c.keys;
  EXPECT_TRUE(trace.empty());
}

TEST_F(StoredCurveTest, CountOutsideTheCurveTablesIsNoCurveAndIsTraced) {
  std::string twenty = "nbcoeff=20\r\n";
  EXPECT_EQ(ReadSection(twenty)->coefficients.size(), 20u);
  EXPECT_TRUE(trace.empty());

  for (const char* count : {"21", "-2", "2147483647", "0x80000000"}) {
    trace.clear();
    EXPECT_EQ(ReadSection(std::string("nbcoeff=") + count + "\r\n"), std::nullopt) << count;
    ASSERT_EQ(trace.size(), 1u) << count;
    EXPECT_NE(trace[0].find("« A » ignorée"), std::string::npos) << trace[0];
  }
}

TEST_F(StoredCurveTest, RangeIsTruncatedTowardZeroWithinThirtyTwoBits) {
  EXPECT_EQ(StoredCurve::FromRange({}, -999.9, 999.9), (StoredCurve{{}, -999, 999}));
  EXPECT_EQ(StoredCurve::FromRange({}, 1e12, NAN), (StoredCurve{{}, 2147483647, 0}));
}

TEST_F(StoredCurveTest, MoreThanTwentyCoefficientsAreNotWritten) {
  EXPECT_THROW(store.WriteStoredCurve("A", StoredCurve{FittedCoefficients(21), 0, 1}),
               std::invalid_argument);
  EXPECT_THROW(store.WriteStoredCurve("", StoredCurve{{1.0}, 0, 1}), Error);
  EXPECT_FALSE(test::FileExists(store.Path()));
}

}  // namespace
}  // namespace kelvra::vehicle
