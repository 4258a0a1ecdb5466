#include <gtest/gtest.h>

#include "support/bytes.h"

#include <QCoreApplication>
#include <algorithm>
#include <memory>

#include "common/number_text.h"
#include "form/manual_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "link/link_station.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "simulator/pty_simulator.h"
#include "support/link_rig.h"
#include "support/real_ports.h"
#include "support/scenario.h"
#include "support/tapped_port.h"
#include "support/trace_search.h"
#include "vehicle/gear_speed_dialog.h"

namespace kelvra::testing {
namespace {

// The program's link with its real ports and Qt services, talking to the simulated car on a pty.
class EndToEnd : public ::testing::TestWithParam<bool> {
 protected:
  EndToEnd() {
    simOptions.latency = std::chrono::milliseconds(2);
    simOptions.baudRate = 0;
  }

  void StartCar(simulator::InterfaceKind kind) {
    simOptions.responder.kind = kind;
    simOptions.linkPath = linkPath;
    car = std::make_unique<simulator::PtySimulator>(simOptions);
    path = car->Start();
    station.engine.SetStartDelayMs(20);
    sinks.AttachTo(station.handler);
  }

  bool Alternative() const { return GetParam(); }
  TappedPort& Port() { return Alternative() ? real.ownTap : real.componentTap; }

  void Connect(link::InterfaceKind kind) {
    station.debugAuto.SetChecked(true);
    services.Dispatch([&] { station.Connect(kind, true, path, Alternative()); });
  }
  void ClosePort() {
    if (altPort.IsOpen())
      altPort.Close();
    if (component.IsOpen())
      component.Close();
  }
  bool StateHas(std::string_view text) const { return TraceHas(station.stateTrace, text); }
  bool DataHas(std::string_view text) const { return TraceHas(station.dataTrace, text); }
  void StartSpeedView() {
    station.state.speedViewActive = true;
    station.engine.SendCommand("010c\r");
    station.engine.ExpectAnswer();
  }
  // Runs the scenario with the connection as its start, and closes the port at its end.
  std::string Run(Scenario& scenario, link::InterfaceKind kind, int timeoutMs = 15000) {
    scenario.OnFinish([this] { ClosePort(); });
    return scenario.Run([this, kind] { Connect(kind); }, timeoutMs);
  }

  std::string linkPath = "/tmp/kelvra-e2e-" + std::to_string(::getpid());
  simulator::PtyOptions simOptions;
  std::unique_ptr<simulator::PtySimulator> car;
  std::string path;

  RealPorts real;
  form::Services& services = real.services;
  form::ScriptedDialogs& dialogs = real.dialogs;
  qt::QtSerialPort& component = real.component;
  link::AlternativePort& altPort = real.own;
  link::LinkStation station{services, real.componentTap, real.ownTap};
  RecordingSinks sinks;
};

TEST_P(EndToEnd, ElmGoesOnlineAndPollsWithTheLoneCrRepeat) {
  StartCar(simulator::InterfaceKind::Elm327);
  car->StartPull(3, 1500);
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; }, [&] { StartSpeedView(); })
      .Then("five engine speeds", [&] { return sinks.engineSpeeds.size() >= 5; });
  EXPECT_EQ(Run(scenario, link::InterfaceKind::Elm327), "");
  EXPECT_TRUE(StateHas("Connexion OBD établie."));
  EXPECT_EQ(station.statusBar.PanelText(1), "OBD Offline");  // the port closed at the end
  EXPECT_TRUE(dialogs.errors.empty());
  // The sequence, then the first engine-speed request in full and its repeats as lone CRs.
  const std::string& wire = Port().written;
  EXPECT_EQ(wire.rfind("atz\rate0\r010c\r", 0), 0u) << wire;
  EXPECT_NE(wire.find("010c\r\r\r\r"), std::string::npos) << wire;
  EXPECT_TRUE(std::is_sorted(sinks.engineSpeeds.begin(), sinks.engineSpeeds.end()));
  EXPECT_GT(sinks.engineSpeeds.front(), 1000);
}

TEST_P(EndToEnd, MobydicExchangeAndAPromptByteInsideAFrame) {
  StartCar(simulator::InterfaceKind::Mobydic);
  car->ForcePidData(0x0C, {0x3E, 0x3E});  // '>' twice in the payload
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; }, [&] { StartSpeedView(); })
      .Then("three engine speeds", [&] { return sinks.engineSpeeds.size() >= 3; });
  EXPECT_EQ(Run(scenario, link::InterfaceKind::Mobydic), "");
  EXPECT_TRUE(StateHas("Interface mOByDic, protocole détecté : ISO9141-2 08 08"));
  EXPECT_EQ(sinks.engineSpeeds.front(), 0x3E3E / 4);
  // Protocol request, then per command the request byte and, after the acknowledge, its two bytes.
  EXPECT_EQ(Port().written.substr(0, 4), Bytes({0x05, 0x02, 0x01, 0x0C}));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_P(EndToEnd, LostAndGarbledAnswersLeavePollingRunning) {
  StartCar(simulator::InterfaceKind::Elm327);
  Scenario scenario;
  scenario.Then(
      "online", [&] { return station.state.online; },
      [&] {
        car->DropNextAnswer();
        StartSpeedView();
      });
  scenario.Then(
      "retried after the timeout", [&] { return !sinks.engineSpeeds.empty(); },
      [&] { car->GarbleNextAnswer(); });
  scenario.Then("polling goes on after garbage", [&] { return sinks.engineSpeeds.size() >= 4; });
  EXPECT_EQ(Run(scenario, link::InterfaceKind::Elm327, 20000), "");
  EXPECT_TRUE(StateHas("Timeout."));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_P(EndToEnd, HangUpIsTracedAndTheLinkReconnects) {
  StartCar(simulator::InterfaceKind::Elm327);
  Scenario scenario;
  scenario.Then(
      "online", [&] { return station.state.online; },
      [&] {
        StartSpeedView();
        car->HangUp();
      });
  scenario.Then(
      "port closed", [&] { return StateHas("Fermeture du port..."); },
      [&] {
        EXPECT_FALSE(station.state.online);
        EXPECT_EQ(station.statusBar.PanelText(1), "OBD Offline");
        station.stateTrace.Clear();
        car->Resume();
        if (!Alternative())
          Connect(link::InterfaceKind::Elm327);
      });
  if (Alternative()) {
    // The own port's loop ended with the hang-up: connect again from here, outside it.
    scenario.Then("loop ended", [&] { return !altPort.Reading(); });
  } else {
    scenario.Then("online again", [&] { return station.state.online; });
  }
  EXPECT_EQ(Run(scenario, link::InterfaceKind::Elm327), "");
  if (Alternative()) {
    Scenario again;
    again.Then("online again", [&] { return station.state.online; });
    EXPECT_EQ(Run(again, link::InterfaceKind::Elm327), "");
  }
  EXPECT_TRUE(StateHas("Connexion OBD établie."));
}

// The gear speed dialog's capture, with the car driving steadily at 50 km/h in third: the pair
// it fills gives the gear's speed at 1000 tr/mn.
TEST_P(EndToEnd, CaptureCalibratesThirdGearFromASteadyDrive) {
  StartCar(simulator::InterfaceKind::Elm327);
  car->HoldSpeed(3, 50);
  form::Window main{services, "Form1", "Kelvra", 800, 600};
  form::Window form2{services, "Form2", "Rapports de boite", 606, 207};
  vehicle::GearSpeedControls controls{form2, {}, {}, {}, {}};
  for (std::size_t gear = 0; gear < vehicle::kGearCount; ++gear) {
    const std::string n = std::to_string(gear + 1);
    controls.speeds[gear] = &form2.Add<form::Edit>("edRv" + n, nullptr, "0");
    controls.engineSpeeds[gear] = &form2.Add<form::Edit>("Edit" + n, nullptr, "0");
    controls.gears[gear] = &form2.Add<form::RadioButton>("RadioButton" + n);
    controls.mainSpeeds[gear] = &main.Add<form::Edit>("edRv" + n, nullptr, "0");
  }
  vehicle::GearSpeedDialog dialog{controls, station.engine};
  station.handler.SetCaptureSink(&dialog);
  form2.Show();
  controls.gears[2]->UserSelect();

  std::uint64_t answersAtStart = 0;
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            answersAtStart = car->AnswersSent();
            services.Dispatch([&] { dialog.ToggleCapture(); });
          })
      .Then(
          "several speed and engine-speed readings",
          [&] {
            return car->AnswersSent() >= answersAtStart + 8 && controls.speeds[2]->Text() != "0" &&
                   controls.engineSpeeds[2]->Text() != "0";
          },
          [&] {
            services.Dispatch([&] { dialog.ToggleCapture(); });
            services.Dispatch([&] { dialog.ApplyGearSpeeds(); });
          });
  EXPECT_EQ(Run(scenario, link::InterfaceKind::Elm327), "");
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_FALSE(station.state.captureMode);
  EXPECT_FALSE(form2.Visible());
  EXPECT_NE(Port().written.find("010d\r"), std::string::npos) << Port().written;
  EXPECT_EQ(controls.speeds[2]->Text(), "50");
  const double truth = simOptions.car.gearSpeedsPer1000[2];
  const double measured = ParseReal(controls.mainSpeeds[2]->Text());
  EXPECT_NEAR(measured, truth, truth * 0.01) << controls.engineSpeeds[2]->Text();
  for (std::size_t gear : {0u, 1u, 3u, 4u, 5u})
    EXPECT_EQ(controls.mainSpeeds[gear]->Text(), "0");
}

INSTANTIATE_TEST_SUITE_P(Ports, EndToEnd, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OwnPort" : "Component"; });

TEST(EndToEndPorts, MissingDeviceShowsItsErrorAndNothingStarts) {
  RealPorts real;
  form::Services& services = real.services;
  form::ScriptedDialogs& dialogs = real.dialogs;
  link::LinkStation station{services, real.component, real.own};
  station.stateTrace.Clear();
  services.Dispatch(
      [&] { station.Connect(link::InterfaceKind::Elm327, true, "/dev/kelvra-missing", true); });
  EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Erreur ouverture port."}));
  EXPECT_TRUE(station.stateTrace.Lines().empty());  // no "Ouverture du port"
  services.Dispatch(
      [&] { station.Connect(link::InterfaceKind::Elm327, true, "/dev/kelvra-missing", false); });
  ASSERT_EQ(dialogs.errors.size(), 2u);
  EXPECT_NE(dialogs.errors[1].find("/dev/kelvra-missing"), std::string::npos);
  EXPECT_EQ(station.statusBar.PanelText(1), "Connexion OBD");
}

}  // namespace
}  // namespace kelvra::testing

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  kelvra::SetDecimalSeparator(',');
  return RUN_ALL_TESTS();
}
