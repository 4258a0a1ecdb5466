#include <gtest/gtest.h>

#include <string>

#include "child_process.h"
#include "simulator/pty_simulator.h"

namespace kelvra::test {
namespace {

struct ConnectCase {
  const char* name;
  simulator::InterfaceKind kind;
  const char* interface;
  int baud;
  bool alternative;
};

class ConnectCommandTest : public ::testing::TestWithParam<ConnectCase> {};

// The real program over a pseudo-terminal, with the 2000 ms start-up delays of a real chip.
TEST_P(ConnectCommandTest, GoesOnlineAgainstTheSimulatedCarAndReadsTheEngineSpeed) {
  const ConnectCase& c = GetParam();
  simulator::PtyOptions options;
  options.responder.kind = c.kind;
  options.baudRate = c.baud;
  options.latency = std::chrono::milliseconds(5);
  simulator::PtySimulator car(options);
  const std::string path = car.Start();

  std::vector<std::string> args = {"connect",
                                   "--port",
                                   path,
                                   "--interface",
                                   c.interface,
                                   "--baud",
                                   std::to_string(c.baud),
                                   "--poll",
                                   "2",
                                   "--timeout",
                                   "20"};
  if (c.alternative)
    args.push_back("--alt");
  const ProcessResult result = RunProcess(KELVRA_CLI_PATH, args, {});
  EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
  EXPECT_NE(result.out.find("Connexion OBD établie."), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Régime : "), std::string::npos) << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ConnectCommandTest,
    ::testing::Values(
        ConnectCase{"elm327_9600", simulator::InterfaceKind::Elm327, "elm327", 9600, false},
        ConnectCase{"elm327_38400_own_port", simulator::InterfaceKind::Elm327, "elm327", 38400,
                    true},
        ConnectCase{"mobydic_9600", simulator::InterfaceKind::Mobydic, "mobydic", 9600, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectCommand, PortThatCannotOpenFailsWithItsMessage) {
  const ProcessResult result =
      RunProcess(KELVRA_CLI_PATH, {"connect", "--port", "/dev/kelvra-nowhere", "--alt"}, {});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Erreur ouverture port."), std::string::npos) << result.err;
}

}  // namespace
}  // namespace kelvra::test
