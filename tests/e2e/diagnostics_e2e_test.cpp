#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "diagnostics/diagnostics_station.h"
#include "link/link_station.h"
#include "simulator/pty_simulator.h"
#include "support/real_ports.h"
#include "support/scenario.h"

namespace kelvra::testing {
namespace {

constexpr double kSecondsPerDay = 86400;

// The live diagnostics with the program's own serial code (the component port) against the
// simulated car on a pty.
class DiagnosticsEndToEnd : public ::testing::Test {
 protected:
  void StartCar(std::chrono::milliseconds latency) {
    options.latency = latency;
    options.baudRate = 38400;
    options.linkPath = "/tmp/kelvra-diag-e2e-" + std::to_string(::getpid());
    car = std::make_unique<simulator::PtySimulator>(options);
    path = car->Start();
    station.engine.SetStartDelayMs(20);
  }
  std::string Run(Scenario& scenario, int timeoutMs) {
    scenario.OnFinish([this] {
      if (real.component.IsOpen())
        real.component.Close();
    });
    return scenario.Run(
        [this] {
          station.debugAuto.SetChecked(true);
          real.services.Dispatch(
              [&] { station.Connect(link::InterfaceKind::Elm327, true, path, false); });
        },
        timeoutMs);
  }

  simulator::PtyOptions options;
  std::unique_ptr<simulator::PtySimulator> car;
  std::string path;
  RealPorts real;
  link::LinkStation station{real.services, real.componentTap, real.ownTap};
  diagnostics::DiagnosticsStation diag{station};
};

struct LogLine {
  double serial = 0;
  std::string code;
  std::string value;
};

std::vector<LogLine> ReadLog(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::vector<LogLine> lines;
  std::istringstream text(bytes.str());
  std::string line;
  while (std::getline(text, line)) {
    EXPECT_EQ(line.back(), '\r') << line;
    line.pop_back();
    const auto open = line.find('<');
    const auto close = line.find('>');
    EXPECT_NE(open, std::string::npos) << line;
    EXPECT_EQ(close, open + 5) << line;
    if (open == std::string::npos || close == std::string::npos)
      continue;
    lines.push_back(
        {ParseReal(line.substr(0, open)), line.substr(open + 1, 4), line.substr(close + 1)});
  }
  return lines;
}

// Four PIDs polled in rotation from the idling car, logged with the tab's log switch, and the log
// read back: the rows in rotation order, each value as the display shows it, time stamps of now.
TEST_F(DiagnosticsEndToEnd, PollsFourPidsAndTheLogReadsBack) {
  StartCar(std::chrono::milliseconds(2));
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-diag-log-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  int decoded = 0;
  diag.live.display.onDecoded = [&](int) { ++decoded; };
  const double started = real.clock.Now();
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            diag.panel.display.logBox.UserToggle();
            for (int row : {8, 9, 11, 15})
              diag.panel.display.pidList.UserToggleItem(row);
            diag.panel.display.visualise.UserClick();
          })
      .Then(
          "forty answers", [&] { return decoded >= 40; },
          [&] {
            diag.panel.display.visualise.UserClick();
            diag.panel.display.logBox.UserToggle();
          });
  const std::string outcome = Run(scenario, 20000);
  SetProgramFolder("");
  const std::vector<LogLine> log = ReadLog(folder / "logdiag1.log");
  std::filesystem::remove_all(folder);
  ASSERT_EQ(outcome, "");
  EXPECT_TRUE(real.dialogs.errors.empty());

  ASSERT_GE(log.size(), 40u);
  const std::vector<std::string> rotation{"010C", "010D", "010F", "012F"};
  const std::vector<int> rows{8, 9, 11, 15};
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].code, rotation[i % 4]) << i;
    const std::string display = diag.panel.display.displays[rows[i % 4]]->Caption();
    EXPECT_EQ(display.substr(display.size() - log[i].value.size()), log[i].value) << display;
    EXPECT_GE(log[i].serial, started - 1 / kSecondsPerDay);
    EXPECT_LE(log[i].serial, real.clock.Now());
    if (i > 0) {
      EXPECT_GE(log[i].serial, log[i - 1].serial);
    }
  }
  EXPECT_EQ(log[0].value, "750");
  EXPECT_EQ(log[1].value, "0");
  EXPECT_EQ(log[2].value, "25");
  EXPECT_EQ(log[3].value, FormatGeneral(static_cast<float>(158 * 0.3921568627450981)));
}

// "Performances", 0-100: the car launches from rest and shifts at the redline; the program times
// it from the vehicle-speed answers alone. The car reports whole km/h, rounded: the timed run goes
// from 0,5 to 99,5 km/h of the model, each end known to half the gap between two samples.
TEST_F(DiagnosticsEndToEnd, ZeroTo100MatchesTheCarModel) {
  StartCar(std::chrono::milliseconds(20));
  struct Sample {
    double at;
    int kmh;
  };
  std::vector<Sample> samples;
  diag.live.display.onDecoded = [&](int row) {
    if (row == 9)
      samples.push_back({real.clock.Now(), static_cast<int>(station.state.values[9])});
  };
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] { diag.panel.performance.toggle.UserClick(); })
      .Then(
          "standing still", [&] { return samples.size() >= 5; }, [&] { car->StartStandingStart(); })
      .Then("timed", [&] { return station.state.liveMode == "null"; })
      .Then("the model past 100 km/h", [&] { return car->SprintTimeTo(100).has_value(); });
  ASSERT_EQ(Run(scenario, 40000), "");
  EXPECT_TRUE(real.dialogs.errors.empty());
  const auto from = car->SprintTimeTo(0.5);
  const auto to = car->SprintTimeTo(99.5);
  ASSERT_TRUE(from && to);
  const double model = *to - *from;

  const diagnostics::PerformanceTiming& timing = diag.live.timing;
  const double timed =
      ((timing.End() + timing.Previous()) * 0.5 - (timing.Start() + timing.Before()) * 0.5) *
      kSecondsPerDay;
  // The gaps around the start and the end.
  double startGap = 0;
  double endGap = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    const double gap = (samples[i].at - samples[i - 1].at) * kSecondsPerDay;
    if (samples[i - 1].kmh < 1 && samples[i].kmh >= 1)
      startGap = gap;
    if (samples[i - 1].kmh < 100 && samples[i].kmh >= 100)
      endGap = gap;
  }
  // An end sample of exactly 100 is taken as the end itself: then its whole gap counts.
  const bool exactEnd = timing.End() == timing.Previous();
  const double resolution = startGap / 2 + (exactEnd ? endGap : endGap / 2);
  // The car's clock and the program's stamps drift apart by the scheduling of two threads.
  constexpr double kJitter = 0.02;
  std::cout << "0-100 chronométré " << timed << " s (" << diag.panel.performance.time.Caption()
            << "), modèle " << model << " s de 0,5 à 99,5 km/h (" << *car->SprintTimeTo(100)
            << " s de 0 à 100), " << samples.size() << " échantillons, écarts " << startGap << " / "
            << endGap << " s" << std::endl;
  EXPECT_GT(startGap, 0);
  EXPECT_GT(endGap, 0);
  EXPECT_NEAR(timed, model, resolution + kJitter);
  EXPECT_EQ(diag.panel.performance.speed.Caption(), "100km/h");
  EXPECT_EQ(diag.panel.performance.toggle.Caption(), "Démarrer");
  EXPECT_EQ(real.beeper.beeps, 2);
}

}  // namespace
}  // namespace kelvra::testing
