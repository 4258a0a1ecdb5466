#include "power/curve_computation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/errors.h"
#include "common/ini_file.h"
#include "run_files.h"

namespace kelvra::power {
namespace {

using Status = AddOutcome::Status;

PowerInputs Inputs(int smoothing) {
  PowerInputs inputs;
  inputs.speedPer1000 = 30;
  inputs.smoothing = smoothing;
  vehicle::DerivedConstants& k = inputs.load.constants;
  k.aeroCoefficient = 0.0081f;
  k.rollingCoefficient = 47;
  k.inertiaCoefficient = 88.7f;
  k.transmissionLoss = 0.15f;
  k.saeFactor = 1.1f;
  inputs.load.tyreCircumference = 1.9f;
  inputs.load.wheelMass = 10;
  inputs.load.rotatingInertia = 0.15f;
  return inputs;
}

// Engine speeds rising by `step` every 0.1 s, with a slight bend so that the power peaks.
std::vector<double> Rpms(double from, int count, double step = 100) {
  std::vector<double> rpms;
  for (int i = 0; i < count; ++i)
    rpms.push_back(std::trunc(from + step * i - 0.4 * i * i));
  return rpms;
}

class CurveComputationTest : public ::testing::Test {
 protected:
  AddOutcome AddRun(const std::vector<double>& rpms, int smoothing = 4) {
    return AddCurve(workspace, CurveRequest::FromRunFile(files.Write(test::RunLines(rpms))),
                    Inputs(smoothing));
  }
  AddOutcome AddLines(const std::vector<std::string>& lines, int smoothing = 4) {
    return AddCurve(workspace, CurveRequest::FromRunFile(files.Write(lines)), Inputs(smoothing));
  }
  AddOutcome AddStored(std::vector<double> coefficients, int r0, int rfin) {
    return AddCurve(workspace,
                    CurveRequest::FromVehicle(vehicle::StoredCurve{coefficients, r0, rfin}),
                    Inputs(4));
  }
  double Curve(int k, int rpm, Quantity q = Quantity::kTorque) const {
    return EvaluateCurve(workspace.curves, k, rpm, q);
  }

  test::RunFiles files;
  PowerWorkspace workspace;
};

TEST_F(CurveComputationTest, RunOfNLinesGivesNMinusTwoSamples) {
  // The last two lines are beyond records 0..M-1: they do not reach rfin.
  const AddOutcome outcome =
      AddLines({"0;2000", "0,1;2100", "0,2;2200", "0,3;2300", "0,4;2400", "0,5;2900"}, 2);
  ASSERT_EQ(outcome.status, Status::kAdded) << outcome.message;
  EXPECT_TRUE(outcome.scaleGrew);
  const CurveSet& set = workspace.curves;
  EXPECT_EQ(set.curveCount, 1);
  EXPECT_EQ(workspace.trace.size(), 4u);
  EXPECT_EQ(workspace.trace[0].rfind("R:2100 P:", 0), 0u) << workspace.trace[0];
  EXPECT_EQ(workspace.runText.size(), 5u);  // the last line goes
  EXPECT_EQ(set.r0, 2000);
  EXPECT_EQ(set.rfin, 2300);
  EXPECT_TRUE(set.readoutEnabled && set.curveAvailable);
  EXPECT_EQ(set.columns[0].size(), 2u);
  for (int j = 1; j <= 4; ++j) {
    EXPECT_GT(workspace.samples[j].power10, 0);
    EXPECT_EQ(workspace.samples[j].power10, std::trunc(workspace.samples[j].power10));
  }
}

TEST_F(CurveComputationTest, RangeWidensUntilCleared) {
  AddRun(Rpms(2000, 30));
  const float rfin = workspace.curves.rfin;
  AddRun(Rpms(2500, 10));
  EXPECT_EQ(workspace.curves.r0, 2000);
  EXPECT_EQ(workspace.curves.rfin, rfin);
  AddRun(Rpms(1500, 60));
  EXPECT_EQ(workspace.curves.r0, 1500);
  EXPECT_GT(workspace.curves.rfin, rfin);
  workspace.curves.Clear();
  AddRun(Rpms(2500, 10));
  EXPECT_EQ(workspace.curves.curveCount, 1);
  EXPECT_EQ(workspace.curves.r0, 2500);
  EXPECT_EQ(workspace.curves.rfin, Rpms(2500, 10)[7]);
}

TEST_F(CurveComputationTest, RefusedCurvesLeaveTheSetAsItWas) {
  ASSERT_EQ(AddRun(Rpms(2000, 30)).status, Status::kAdded);
  const CurveSet before = workspace.curves;
  const auto unchanged = [&] {
    const CurveSet& set = workspace.curves;
    EXPECT_EQ(set.curveCount, before.curveCount);
    EXPECT_EQ(set.r0, before.r0);
    EXPECT_EQ(set.rfin, before.rfin);
    EXPECT_EQ(set.maxPower10, before.maxPower10);
    EXPECT_EQ(set.peaks.power10, before.peaks.power10);
    EXPECT_EQ(set.columns, before.columns);
  };
  AddOutcome outcome = AddCurve(workspace, CurveRequest::FromRunFile(files.Missing()), Inputs(4));
  EXPECT_EQ(outcome.status, Status::kRefused);
  EXPECT_EQ(outcome.message, "Fichier invalide");
  unchanged();
  EXPECT_EQ(AddCurve(workspace, CurveRequest::FromRunFile(""), Inputs(4)).message,
            "Fichier invalide");

  // Twelve coefficients need twelve samples: 13 lines give 11.
  outcome = AddRun(Rpms(1000, 13), 12);
  EXPECT_EQ(outcome.status, Status::kRefused);
  EXPECT_EQ(outcome.message,
            "Pas assez de points de mesure (11) pour un lissage de 12 : réduisez le lissage ou "
            "choisissez une plage plus longue.");
  unchanged();
  EXPECT_EQ(AddRun(Rpms(1000, 2), 0).status, Status::kRefused);
  unchanged();

  EXPECT_THROW(AddLines({"0;1000", "0,1;1100", "0,2;12OO", "0,3;1300"}, 1), ConversionError);
  unchanged();
  // The fit reads engine speeds back as whole numbers.
  EXPECT_THROW(AddLines({"0;1000", "0,1;1100,5", "0,2;1200", "0,3;1300"}, 1), ConversionError);
  unchanged();
  EXPECT_THROW(AddLines({"0;1000", "0,1;1100", "0;1200", "0,3;1300"}, 1), DivisionByZeroError);
  unchanged();

  EXPECT_EQ(AddCurve(workspace, CurveRequest::FromVehicle(std::nullopt), Inputs(4)).status,
            Status::kNoStoredCurve);
  unchanged();
  for (const auto& [r0, rfin] : {std::pair{-2000000000, 6000}, std::pair{1000, 2000000000}}) {
    outcome = AddStored({1}, r0, rfin);
    EXPECT_EQ(outcome.status, Status::kRefused);
    EXPECT_EQ(outcome.message, "Courbe du véhicule invalide : régimes hors de 0 à 32000 tr/mn.");
    unchanged();
  }
  outcome = AddLines(std::vector<std::string>(100001, "0;1000"), 1);
  EXPECT_EQ(outcome.message, "Fichier trop long : 100000 lignes au plus.");
  unchanged();
}

TEST_F(CurveComputationTest, SeventhCurveIsTheLast) {
  for (int i = 0; i < 7; ++i)
    ASSERT_EQ(AddRun(Rpms(2000 + 10 * i, 30)).status, Status::kAdded);
  workspace.curves.readoutEnabled = false;
  const AddOutcome outcome = AddRun(Rpms(1000, 30));
  EXPECT_EQ(outcome.status, Status::kRefused);
  EXPECT_EQ(outcome.message, "Nombre maximal de courbes atteint, veuillez effacer.");
  EXPECT_EQ(workspace.curves.curveCount, 7);
  EXPECT_EQ(workspace.curves.r0, 2000);
  EXPECT_TRUE(workspace.curves.readoutEnabled);
  workspace.curves.Clear();
  EXPECT_EQ(AddRun(Rpms(1000, 30)).status, Status::kAdded);
}

TEST_F(CurveComputationTest, SmoothingZeroGivesACurveOfZero) {
  ASSERT_EQ(AddRun(Rpms(2000, 30), 0).status, Status::kAdded);
  EXPECT_EQ(Curve(0, 2500), 0);
  EXPECT_EQ(Curve(0, 2500, Quantity::kPower), 0);
  EXPECT_EQ(workspace.curves.peaks.power10, 0);
  EXPECT_GT(workspace.curves.maxPower10, 0);  // the samples still set the scale
}

TEST_F(CurveComputationTest, EachCurveKeepsItsCoefficientCount) {
  AddRun(Rpms(2000, 30), 2);
  const double earlier = Curve(0, 2800);
  AddRun(Rpms(2000, 30), 9);
  EXPECT_EQ(workspace.curves.columns[0].size(), 2u);
  EXPECT_EQ(workspace.curves.columns[1].size(), 9u);
  EXPECT_EQ(Curve(0, 2800), earlier);
  EXPECT_NEAR(Curve(1, 2800), earlier, 0.02 * earlier);
}

// Torque × engine speed / 7021 gives back the power computed for each sample.
TEST_F(CurveComputationTest, PowerReadBackFromTheCurveMatchesTheSamples) {
  AddRun(Rpms(2000, 40), 6);
  double ratio = 0;
  for (std::size_t j = 1; j + 1 < 40; ++j) {
    const PowerSample& s = workspace.samples[j];
    ratio += Curve(0, static_cast<int>(s.rpm), Quantity::kPower) / s.power10;
  }
  EXPECT_NEAR(ratio / 38, 1, 0.0005);
}

TEST_F(CurveComputationTest, SaeFactorAppliesAtEvaluation) {
  AddRun(Rpms(2000, 30));
  PowerWorkspace corrected;
  PowerInputs inputs = Inputs(4);
  inputs.saeCorrected = true;
  AddCurve(corrected, CurveRequest::FromRunFile(files.Write(test::RunLines(Rpms(2000, 30)))),
           inputs);
  EXPECT_EQ(corrected.curves.columns[0], workspace.curves.columns[0]);
  const double sae = 1.1f;
  EXPECT_NEAR(corrected.curves.peaks.power10, sae * workspace.curves.peaks.power10, 1e-6);
  EXPECT_NEAR(corrected.curves.peaks.torque10, sae * workspace.curves.peaks.torque10, 1e-6);
  EXPECT_EQ(corrected.curves.peaks.rpmAtMaxPower, workspace.curves.peaks.rpmAtMaxPower);
  EXPECT_NEAR(EvaluateCurve(workspace.curves, 0, 2500, Quantity::kPower, Correction(inputs)),
              sae * Curve(0, 2500, Quantity::kPower), 1e-6);
}

TEST_F(CurveComputationTest, VehicleCurveTakesItsOwnRangeAndMaximaStayStrict) {
  ASSERT_EQ(AddStored({200}, 1000, 3000).status, Status::kAdded);
  const CurveSet& set = workspace.curves;
  EXPECT_EQ(set.curveCount, 1);
  EXPECT_EQ(set.r0, 1000);
  EXPECT_EQ(set.rfin, 3000);
  EXPECT_EQ(set.peaks.torque10, 2000);
  EXPECT_EQ(set.peaks.rpmAtMaxTorque, 1000);
  EXPECT_EQ(set.peaks.rpmAtMaxPower, 2950);
  // An equal torque met earlier in the range keeps the earlier engine speed.
  AddStored({200}, 500, 3000);
  EXPECT_EQ(set.peaks.rpmAtMaxTorque, 1000);
  EXPECT_EQ(set.peaks.rpmAtMaxPower, 2950);
  EXPECT_TRUE(workspace.runText.empty());
  const ExportRange range = CurveExportRange(workspace);
  EXPECT_EQ(range.first, 500);
  EXPECT_EQ(range.last, 3000);
  // A run only widens the range; a vehicle curve replaces it.
  AddRun(Rpms(2000, 30));
  AddStored({1}, 2500, 2600);
  EXPECT_EQ(set.r0, 2500);
  EXPECT_EQ(set.rfin, 2600);
}

// "Affecter au veh." then a later selection of the vehicle shows the very curve again.
TEST_F(CurveComputationTest, StoredCurveReadsBackAsTheSameCurve) {
  EXPECT_EQ(NewestStoredCurve(workspace.curves), std::nullopt);
  AddRun(Rpms(2000, 30), 2);
  AddRun(Rpms(1900, 40), 20);
  const std::optional<vehicle::StoredCurve> curve = NewestStoredCurve(workspace.curves);
  ASSERT_TRUE(curve.has_value());
  EXPECT_EQ(curve->coefficients.size(), 20u);
  EXPECT_EQ(curve->startRpm, 1900);
  IniFile file(files.Path("vehicules.ini"));
  vehicle::WriteCurve(file, "A", *curve);
  const auto noTrace = [](std::string_view) {};
  PowerWorkspace shown;
  ASSERT_EQ(
      AddCurve(shown, CurveRequest::FromVehicle(vehicle::ReadCurve(file, "A", noTrace)), Inputs(4))
          .status,
      Status::kAdded);
  EXPECT_EQ(shown.curves.r0, curve->startRpm);
  EXPECT_EQ(shown.curves.rfin, curve->endRpm);
  for (int rpm = 1900; rpm <= 4000; rpm += 100)
    EXPECT_EQ(EvaluateCurve(shown.curves, 0, rpm, Quantity::kTorque), Curve(1, rpm)) << rpm;
}

TEST_F(CurveComputationTest, ExportFollowsTheRunText) {
  AddLines({"0;2050", "0,1;2150", "0,2;2260", "0,3;2370", "0,4;2480"}, 1);
  const ExportRange range = CurveExportRange(workspace);
  EXPECT_EQ(range.first, 2000);
  EXPECT_EQ(range.last, 2300);  // the line before the last one removed
}

TEST_F(CurveComputationTest, LongRunKeepsEverySample) {
  std::vector<double> rpms;
  for (int i = 0; i < 3000; ++i)
    rpms.push_back(1500 + i * 2);
  ASSERT_EQ(AddRun(rpms, 20).status, Status::kAdded);
  EXPECT_EQ(workspace.trace.size(), 2998u);
  EXPECT_EQ(workspace.curves.rfin, 1500 + 2997 * 2);
  // A flat acceleration near constant speed: power grows with speed all the way up.
  EXPECT_GT(Curve(0, 7400, Quantity::kPower), Curve(0, 7000, Quantity::kPower));
}

}  // namespace
}  // namespace kelvra::power
