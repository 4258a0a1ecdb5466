// A pull of the simulated car recorded over a pty by the real link and recorder, then computed.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <memory>

#include "acquisition/recorder_station.h"
#include "acquisition/run_file.h"
#include "common/number_text.h"
#include "link/link_station.h"
#include "power/curve_computation.h"
#include "power/vehicle_inputs.h"
#include "simulator/pty_simulator.h"
#include "support/real_ports.h"
#include "support/scenario.h"
#include "support/simulated_pull.h"
#include "support/trace_search.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::testing {
namespace {

constexpr int kGear = 2;

// The vehicle file's vehicle for the car, as the power tab reads it once selected.
power::VehicleInputs MatchingInputs(const simulator::CarDescription& car) {
  vehicle::VehicleProfile profile = vehicle::VehicleProfile::Initial();
  for (const auto& [key, value] : MatchingVehicleKeys(car)) {
    for (std::size_t field = 0; field < vehicle::kTextKeys.size(); ++field) {
      if (vehicle::kTextKeys[field].key == key)
        profile.SetFieldText(field, value);
    }
  }
  return power::SelectedVehicleInputs(profile, kGear, 12, false, LocalizeDecimal("0,015"));
}

TEST(PowerEndToEnd, RecordedPullGivesTheCarsPeakPowerWithinOnePercent) {
  // The interface's own pace (30 ms to answer, 38400 baud): a few dozen readings a second, as a
  // car gives them. Readings a few milliseconds apart would make the central difference divide by
  // intervals whose millisecond stamps and event-loop delays are a large share of them.
  simulator::PtyOptions options;
  options.responder.kind = simulator::InterfaceKind::Elm327;
  options.car = KelvraComparableCar(simulator::DefaultCar());
  options.linkPath = "/tmp/kelvra-e2e-power-" + std::to_string(::getpid());
  simulator::PtySimulator car(options);
  const std::string path = car.Start();

  RealPorts real;
  link::LinkStation station{real.services, real.componentTap, real.ownTap};
  station.engine.SetStartDelayMs(20);
  acquisition::RecorderStation rec(station);
  rec.panel.livePlot.SetChecked(false);
  rec.panel.startRpm.SetText("2100");
  rec.panel.stopRpm.SetText("6300");
  rec.gear.SetItemIndex(kGear - 1);

  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            real.services.Dispatch([&] { rec.recorder.LaunchAcquisition(); });
            car.StartPull(kGear, 2000);
          })
      .Then("the recorder stops at 6300 tr/mn",
            [&] { return TraceHas(station.stateTrace, "Arrêt d'acquisition"); });
  scenario.OnFinish([&] {
    if (real.component.IsOpen())
      real.component.Close();
  });
  ASSERT_EQ(scenario.Run(
                [&] {
                  station.debugAuto.SetChecked(true);
                  real.services.Dispatch(
                      [&] { station.Connect(link::InterfaceKind::Elm327, true, path, false); });
                },
                40000),
            "");
  ASSERT_TRUE(real.dialogs.errors.empty()) << real.dialogs.errors.front();

  const acquisition::RunBuffer& buffer = rec.recorder.Buffer();
  ASSERT_GT(buffer.count, 100u);
  const std::string runFile = (std::filesystem::temp_directory_path() /
                               ("kelvra-e2e-power-run-" + std::to_string(::getpid()) + ".txt"))
                                  .string();
  acquisition::WriteRunFile(runFile, acquisition::RunLines(buffer, 0, buffer.LastTime()));

  const power::VehicleInputs vehicle = MatchingInputs(options.car);
  power::PowerWorkspace workspace;
  const power::AddOutcome outcome =
      power::AddCurve(workspace, power::CurveRequest::FromRunFile(runFile), vehicle.inputs);
  std::filesystem::remove(runFile);
  ASSERT_EQ(outcome.status, power::AddOutcome::Status::kAdded) << outcome.message;
  const power::CurveSet& set = workspace.curves;
  const TruePeak truth = TruePeakPower(options.car, set.r0, set.rfin);
  const double peak = set.peaks.power10 * 0.1;
  EXPECT_NEAR(peak, truth.cv, truth.cv * 0.01)
      << buffer.count << " samples from " << set.r0 << " to " << set.rfin << " tr/mn; peak at "
      << set.peaks.rpmAtMaxPower << " against " << truth.rpm;
  RecordProperty("samples", static_cast<int>(buffer.count));
  RecordProperty("peak_power_error_percent", std::to_string(100 * (peak / truth.cv - 1)));
}

}  // namespace
}  // namespace kelvra::testing
