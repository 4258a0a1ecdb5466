#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "child_process.h"
#include "simulator/pty_simulator.h"
#include "simulator/vehicle_model.h"

namespace kelvra::test {
namespace {

struct Sample {
  double time;
  double rpm;
};

// Lines of time, ";" and engine speed ended by CR LF, with either decimal separator.
std::vector<Sample> ReadRunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::vector<Sample> samples;
  std::istringstream text(bytes.str());
  std::string line;
  while (std::getline(text, line)) {
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    line.pop_back();
    std::replace(line.begin(), line.end(), ',', '.');
    const auto separator = line.find(';');
    samples.push_back(
        {std::stod(line.substr(0, separator)), std::stod(line.substr(separator + 1))});
  }
  return samples;
}

// Seconds the car model takes at full throttle in the gear between two engine speeds.
double ModelSeconds(int gear, double fromRpm, double toRpm) {
  simulator::VehicleModel model;
  model.StartPull(gear, fromRpm);
  double seconds = 0;
  while (model.Rpm() < toRpm && model.Pulling()) {
    model.Advance(0.001);
    seconds += 0.001;
  }
  return seconds;
}

struct PullCase {
  const char* name;
  bool useSpeed;
  double stop;
};

class RecordPullTest : public ::testing::TestWithParam<PullCase> {};

// A whole dyno pull from a script: the real program records the simulated car over a pty while it
// pulls in second gear, and the run rises at the rate the car model gives. From the vehicle speed,
// the engine speed moves in steps of one km/h (77 tr/mn in second gear), so that run is longer.
TEST_P(RecordPullTest, RecordsAFullThrottlePullBetweenTheThresholds) {
  const PullCase& c = GetParam();
  constexpr int kGear = 2;
  constexpr double kStart = 2500;
  const double step = c.useSpeed ? 1000 / 13.0 : 1;
  simulator::PtyOptions options;
  options.responder.kind = simulator::InterfaceKind::Elm327;
  options.baudRate = 38400;
  options.latency = std::chrono::milliseconds(5);
  simulator::PtySimulator car(options);
  const std::string path = car.Start();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-record-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  // The car's second gear as the vehicle file gives it: 13 km/h at 1000 tr/mn.
  std::ofstream(folder / "vehicules.ini", std::ios::binary)
      << "[liste]\r\nSimul=Simul\r\n[Simul]\r\nv2e=13\r\n";
  const std::filesystem::path runFile = folder / "run.txt";

  std::vector<std::string> args = {"record",
                                   "--port",
                                   path,
                                   "--interface",
                                   "elm327",
                                   "--baud",
                                   "38400",
                                   "--start",
                                   "2500",
                                   "--stop",
                                   std::to_string(static_cast<int>(c.stop)),
                                   "--gear",
                                   std::to_string(kGear),
                                   "--timeout",
                                   "20",
                                   "--out",
                                   runFile.string()};
  if (c.useSpeed) {
    for (const char* arg : {"--use-speed", "--vehicle", "simul"})
      args.push_back(arg);
  }
  auto child = std::async(std::launch::async, [&] {
    return RunProcess(KELVRA_CLI_PATH, args, {"KELVRA_DATA_DIR=" + folder.string()});
  });
  // Online after atz, ate0 and the first engine speed; the next request is the recorder's.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (car.RequestsSeen() < 4 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  car.StartPull(kGear, 2000);
  const ProcessResult result = child.get();
  const std::vector<Sample> run = ReadRunFile(runFile);
  std::filesystem::remove_all(folder);

  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  EXPECT_NE(result.out.find("Acquisition ..."), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Échantillons : " + std::to_string(run.size())), std::string::npos)
      << result.out;
  ASSERT_GT(run.size(), 50u);
  EXPECT_EQ(run.front().time, 0);
  EXPECT_GT(run.front().rpm, kStart);
  EXPECT_LT(run.front().rpm, kStart + 20 + step);
  EXPECT_LE(run.back().rpm, c.stop);
  EXPECT_GT(run.back().rpm, c.stop - 20 - step);
  for (size_t i = 1; i < run.size(); ++i) {
    EXPECT_GT(run[i].time, run[i - 1].time);
    EXPECT_GE(run[i].rpm, run[i - 1].rpm);
  }

  const double recorded = (run.back().rpm - run.front().rpm) / run.back().time;
  const double model =
      (run.back().rpm - run.front().rpm) / ModelSeconds(kGear, run.front().rpm, run.back().rpm);
  std::cout << "Pente enregistrée " << recorded << " tr/mn/s, modèle " << model << " tr/mn/s ("
            << run.size() << " échantillons en " << run.back().time << " s)" << std::endl;
  EXPECT_NEAR(recorded / model, 1.0, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Sources, RecordPullTest,
                         ::testing::Values(PullCase{"engine_speed", false, 4500},
                                           PullCase{"vehicle_speed", true, 5000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordCommand, SpeedWithoutVehicleOrUnknownVehicleIsRefused) {
  const ProcessResult usage = RunProcess(
      KELVRA_CLI_PATH, {"record", "--port", "/dev/null", "--use-speed", "--out", "x.txt"}, {});
  EXPECT_EQ(usage.exitCode, 2);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-record-data-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const ProcessResult unknown =
      RunProcess(KELVRA_CLI_PATH,
                 {"record", "--port", "/dev/null", "--use-speed", "--vehicle", "Nulle", "--out",
                  (folder / "x.txt").string()},
                 {"KELVRA_DATA_DIR=" + folder.string()});
  std::filesystem::remove_all(folder);
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("Véhicule inconnu : Nulle"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace kelvra::test
