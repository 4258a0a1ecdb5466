#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "child_process.h"
#include "simulator/pty_simulator.h"

namespace kelvra::test {
namespace {

// kelvra-cli poll against the simulated car idling: each decoded row printed as the tab shows
// it, and the diagnostic log written in rotation order.
TEST(PollCommand, PollsTwoPidsInRotationAndWritesTheLog) {
  simulator::PtyOptions options;
  options.latency = std::chrono::milliseconds(2);
  simulator::PtySimulator car(options);
  const std::string path = car.Start();
  const std::filesystem::path log =
      std::filesystem::temp_directory_path() / ("kelvra-poll-" + std::to_string(::getpid()));

  const ProcessResult result =
      RunProcess(KELVRA_CLI_PATH,
                 {"poll", "--port", path, "--interface", "elm327", "--baud", "38400", "--pids",
                  "010d,010C", "--seconds", "1", "--log", log.string()},
                 {"KELVRA_DECIMAL_SEPARATOR=,"});
  std::ifstream in(log, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::filesystem::remove(log);

  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  EXPECT_NE(result.out.find("Connexion OBD établie.\nRégime (tr/mn) : 750\nVitesse (km/h) : 0\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("Réponses décodées : "), std::string::npos);
  std::istringstream lines(text.str());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ASSERT_EQ(line.back(), '\r');
    const std::string expected = count % 2 == 0 ? "<010C>750\r" : "<010D>0\r";
    ASSERT_GE(line.size(), expected.size());
    EXPECT_EQ(line.substr(line.size() - expected.size()), expected) << line;
    EXPECT_NE(line.find(','), std::string::npos) << line;  // the date-time serial
    ++count;
  }
  EXPECT_GT(count, 10);
}

TEST(PollCommand, UnknownPidOrMissingListIsAUsageError) {
  const ProcessResult unknown =
      RunProcess(KELVRA_CLI_PATH, {"poll", "--port", "/dev/null", "--pids", "010C,01FF"}, {});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("PID inconnu : 01FF"), std::string::npos) << unknown.err;
  const ProcessResult missing = RunProcess(KELVRA_CLI_PATH, {"poll", "--port", "/dev/null"}, {});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("--pids"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace kelvra::test
