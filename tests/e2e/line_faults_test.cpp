// Faults on the serial line, end to end: the program's real ports on a pseudo-terminal, against
// the simulated car or a line the test scripts byte by byte.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "acquisition/recorder_station.h"
#include "acquisition/run_file.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "link/link_station.h"
#include "scripted_line.h"
#include "simulator/pty_simulator.h"
#include "support/link_rig.h"
#include "support/real_ports.h"
#include "support/scenario.h"
#include "support/trace_search.h"

namespace kelvra::testing {
namespace {

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  return lines;
}

// The link and the recorder with the real ports and Qt services.
class LineFaults : public ::testing::Test {
 protected:
  LineFaults() {
    station.engine.SetStartDelayMs(20);
    sinks.AttachTo(station.handler);
    rec.panel.livePlot.SetChecked(false);
    std::filesystem::create_directories(folder);
    SetProgramFolder(folder.string());
  }
  ~LineFaults() override {
    SetProgramFolder("");
    std::filesystem::remove_all(folder);
  }

  void Connect() {
    station.debugAuto.SetChecked(true);
    services.Dispatch(
        [&] { station.Connect(link::InterfaceKind::Elm327, true, path, alternative); });
  }
  void ClosePort() {
    if (real.own.IsOpen())
      real.own.Close();
    if (real.component.IsOpen())
      real.component.Close();
  }
  // Runs the scenario from the connection; on a failure, says where the link stood. Whatever the
  // line does, the event loop (the window, in the program) never stalls for a second.
  std::string Run(Scenario& scenario, int timeoutMs = 15000) {
    scenario.OnFinish([this] { ClosePort(); });
    std::string failure = scenario.Run([this] { Connect(); }, timeoutMs);
    EXPECT_LT(scenario.LongestStallMs(), 1000);
    if (!failure.empty()) {
      for (const std::string& text : station.stateTrace.Lines())
        failure += "\n  " + text;
    }
    return failure;
  }
  void StartSpeedView() {
    services.Dispatch([&] { station.btRrpm.UserClick(); });
  }
  bool StateHas(std::string_view text) const { return TraceHas(station.stateTrace, text); }
  const acquisition::RunBuffer& Buffer() const { return rec.recorder.Buffer(); }
  int Speeds() const { return static_cast<int>(sinks.engineSpeeds.size()); }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-faults-" + std::to_string(::getpid()));
  std::string path;
  bool alternative = false;  // the program's own port rather than the component
  RealPorts real;
  form::Services& services = real.services;
  link::LinkStation station{services, real.component, real.own};
  acquisition::RecorderStation rec{station};
  RecordingSinks sinks;
};

// The simulated car on a pty.
class CarFaults : public LineFaults {
 protected:
  void StartCar() {
    simulator::PtyOptions options;
    options.latency = std::chrono::milliseconds(2);
    options.baudRate = 0;
    options.linkPath = "/tmp/kelvra-faults-link-" + std::to_string(::getpid());
    car = std::make_unique<simulator::PtySimulator>(options);
    path = car->Start();
  }
  std::unique_ptr<simulator::PtySimulator> car;
};

// The cable pulled in the middle of a recording: the port closes with a trace, every sample
// recorded so far stays and exports, and the link connects again.
TEST_F(CarFaults, CablePulledMidRecordingKeepsTheSamplesAndReconnects) {
  StartCar();
  station.handler.SetEngineSpeedSink(&rec.recorder);
  car->StartPull(2, 1500);
  std::vector<acquisition::RunSample> before;
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] { services.Dispatch([&] { station.btWrpm.UserClick(); }); })
      .Then(
          "recording", [&] { return Buffer().count >= 20; }, [&] { car->HangUp(); })
      .Then(
          "port closed", [&] { return StateHas("Fermeture du port..."); },
          [&] {
            before.assign(Buffer().samples.begin(), Buffer().samples.begin() + Buffer().count);
            // The whole run selected and exported while the line is down.
            form::Image& plot = rec.panel.plot;
            plot.UserMouseDown({form::MouseButton::Left, 30, 50});
            plot.UserMouseUp({form::MouseButton::Left, plot.Width(), 50});
            real.dialogs.saveAnswers.push_back((folder / "pulled.txt").string());
            services.Dispatch([&] { rec.panel.exportButton.UserClick(); });
            EXPECT_TRUE(StateHas("Extraction terminée."));
            car->Resume();
            Connect();
          })
      .Then("online again", [&] { return station.state.online; });
  EXPECT_EQ(Run(scenario, 20000), "");
  EXPECT_TRUE(real.dialogs.errors.empty()) << real.dialogs.errors.front();
  EXPECT_FALSE(station.state.online);  // the port closed at the end
  ASSERT_GE(before.size(), 20u);
  ASSERT_GE(Buffer().count, before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(Buffer().samples[i].time, before[i].time);
    EXPECT_EQ(Buffer().samples[i].rpm, before[i].rpm);
  }
  const auto exported = FileLines((folder / "pulled.txt").string());
  EXPECT_EQ(exported.size(), before.size());
  EXPECT_EQ(exported.back(), acquisition::RunLine(before.back(), 0) + "\r");
  EXPECT_TRUE(StateHas("Connexion OBD établie."));
}

// An adapter that stops answering: each lost answer is asked again, the fifth restarts the
// connection sequence, and polling resumes once it answers again.
TEST_F(CarFaults, AdapterThatStopsAnsweringIsRestartedAndPollingResumes) {
  StartCar();
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; }, [&] { StartSpeedView(); })
      .Then(
          "polling", [&] { return Speeds() >= 3; },
          [&] {
            for (int i = 0; i < 5; ++i)
              car->DropNextAnswer();
          })
      .Then("restarted", [&] { return StateHas("Trop de timeouts, réinitialisation"); })
      .Then(
          "online again", [&] { return station.state.online; }, [&] { StartSpeedView(); })
      .Then("polling again", [&, seen = 0]() mutable {
        seen = seen == 0 ? Speeds() : seen;
        return Speeds() >= seen + 3;
      });
  EXPECT_EQ(Run(scenario, 30000), "");
  EXPECT_TRUE(real.dialogs.errors.empty());
}

// A scripted line on a pty, through both ports.
class ScriptedFaults : public LineFaults, public ::testing::WithParamInterface<bool> {
 protected:
  ScriptedFaults() { alternative = GetParam(); }
  void StartLine() { path = line.Start(); }
  ScriptedLine line;
};

// Random bytes garbled in about a fifth of the answers: never an error box, nothing outside the
// range of an engine-speed answer recorded, and clean answers are polled again once the noise
// stops.
TEST_P(ScriptedFaults, GarbledBytesNeverStopThePolling) {
  StartLine();
  int atNoiseEnd = 0;
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            line.garblePerMille = 15;
            line.mode = ScriptedLine::Mode::Garble;
            StartSpeedView();
          })
      .Then(
          "noisy answers", [&] { return line.Answers() >= 20; },
          [&] {
            line.mode = ScriptedLine::Mode::Answer;
            atNoiseEnd = Speeds();
          })
      .Then("clean answers again",
            [&] { return Speeds() >= atNoiseEnd + 5 && sinks.engineSpeeds.back() == 0x1AF8 / 4; });
  EXPECT_EQ(Run(scenario, 60000), "");
  EXPECT_TRUE(real.dialogs.errors.empty());
  for (int rpm : sinks.engineSpeeds)
    EXPECT_TRUE(rpm >= 0 && rpm <= 0xFFFF / 4) << rpm;
}

// Answers that trickle in a byte every 120 ms (about 1.7 s an answer, under the answer timeout).
TEST_P(ScriptedFaults, AnswersByteByByteWithLongGaps) {
  StartLine();
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            line.byteGapMs = 120;
            StartSpeedView();
          })
      .Then("three slow answers", [&] { return Speeds() >= 3; });
  EXPECT_EQ(Run(scenario, 20000), "");
  EXPECT_EQ(sinks.engineSpeeds, std::vector<int>(static_cast<size_t>(Speeds()), 0x1AF8 / 4));
  EXPECT_FALSE(StateHas("Timeout."));
  EXPECT_TRUE(real.dialogs.errors.empty());
}

// Megabytes without a prompt: the framing buffer stays capped, and the link recovers.
TEST_P(ScriptedFaults, FloodWithoutPromptStaysBounded) {
  StartLine();
  std::size_t largest = 0;
  int atFloodEnd = 0;
  Scenario scenario;
  scenario
      .Then(
          "online", [&] { return station.state.online; },
          [&] {
            StartSpeedView();
            // The own port reads one byte per call, as a real one does: a smaller flood keeps it
            // short.
            line.Inject(std::string(alternative ? 256 << 10 : 4 << 20, 'A'));
          })
      .Then(
          "flood read",
          [&] {
            largest = std::max(largest, station.engine.Framer().Buffer().size());
            return station.engine.Framer().Buffer().size() >= link::ResponseFramer::kMaxBuffer;
          },
          [&] {
            atFloodEnd = Speeds();
            line.Inject("\r");
          })
      .Then("polling again", [&] {
        largest = std::max(largest, station.engine.Framer().Buffer().size());
        return Speeds() >= atFloodEnd + 3;
      });
  EXPECT_EQ(Run(scenario, 30000), "");
  EXPECT_LE(largest, link::ResponseFramer::kMaxBuffer);
  EXPECT_TRUE(real.dialogs.errors.empty());
  for (const std::string& text : station.dataTrace.Lines())
    EXPECT_LE(text.size(), 2 * link::ResponseFramer::kMaxBuffer + 64);
}

// A line at the wrong speed: smeared bytes that never make an answer to the reset. The link
// stays offline, traces the timeout and asks again, and goes online once the speed is right.
TEST_P(ScriptedFaults, WrongBaudRateTimesOutAndRetriesTheReset) {
  line.mode = ScriptedLine::Mode::WrongBaud;
  StartLine();
  Scenario scenario;
  scenario.Then(
      "reset answered at the wrong speed", [&] { return line.Answers() >= 1; },
      [&] { line.mode = ScriptedLine::Mode::Answer; });
  scenario.Then("online at the right speed", [&] { return station.state.online; });
  EXPECT_EQ(Run(scenario, 40000), "");
  EXPECT_TRUE(StateHas("Timeout."));
  EXPECT_TRUE(real.dialogs.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Ports, ScriptedFaults, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OwnPort" : "Component"; });

}  // namespace
}  // namespace kelvra::testing

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  kelvra::SetDecimalSeparator(',');
  return RUN_ALL_TESTS();
}
