#include "simulator/pty_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "common/errors.h"
#include "serial_client.h"
#include "simulator/mobydic_dialogue.h"
#include "simulator/wire_pacing.h"

namespace kelvra::simulator {
namespace {

using test::SerialClient;
using test::WaitFor;
namespace fs = std::filesystem;
using std::chrono::milliseconds;

PtyOptions Immediate(InterfaceKind kind = InterfaceKind::Elm327) {
  PtyOptions options;
  options.responder.kind = kind;
  options.latency = milliseconds(0);
  options.baudRate = 0;
  return options;
}

// Engine speed of an answer "41 0C AA BB \r\r>".
int EngineSpeed(const std::string& answer) {
  const auto at = answer.find("41 0C ");
  if (at == std::string::npos)
    return -1;
  return std::stoi(answer.substr(at + 6, 2) + answer.substr(at + 9, 2), nullptr, 16) / 4;
}

TEST(PtySimulator, AnswersOnThePseudoTerminal) {
  PtySimulator simulator(Immediate());
  const std::string path = simulator.Start();
  EXPECT_EQ(path, simulator.SlavePath());
  SerialClient port(path);
  ASSERT_GE(port.fd(), 0);
  ASSERT_TRUE(port.Write("atz\r"));
  EXPECT_EQ(port.ReadUntilPrompt(), "atz\r\r\rELM327 v1.5\r\r>");
  ASSERT_TRUE(port.Write("ate0\r"));
  EXPECT_EQ(port.ReadUntilPrompt(), "ate0\rOK\r\r>");
  EXPECT_TRUE(WaitFor([&] { return simulator.AnswersSent() == 2; }));
  EXPECT_EQ(simulator.RequestsSeen(), 2u);
}

TEST(PtySimulator, AnswersAfterTheLatencyAtTheLineSpeed) {
  PtyOptions options = Immediate();
  options.latency = milliseconds(40);
  options.baudRate = 9600;
  PtySimulator simulator(options);
  SerialClient port(simulator.Start());
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(port.Write("atz\r"));
  const std::string answer = port.ReadUntilPrompt();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(answer, "atz\r\r\rELM327 v1.5\r\r>");
  // 20 bytes at 9600 baud take 20.8 ms on a real line.
  EXPECT_GE(elapsed, options.latency + WireTime(answer.size(), 9600));
}

TEST(PtySimulator, FollowsThePullInRealTime) {
  PtySimulator simulator(Immediate());
  SerialClient port(simulator.Start());
  port.Write("ate0\r");
  port.ReadUntilPrompt();
  simulator.StartPull(2, 2000);
  port.Write("010c\r");
  const int first = EngineSpeed(port.ReadUntilPrompt());
  std::this_thread::sleep_for(milliseconds(100));
  port.Write("\r");
  const int second = EngineSpeed(port.ReadUntilPrompt());
  EXPECT_GE(first, 2000);
  EXPECT_GT(second, first + 20);  // second gear gains a few hundred tr/mn per second
  EXPECT_EQ(simulator.Status().gear, 2);
  simulator.SetIdle();
  port.Write("\r");
  EXPECT_EQ(EngineSpeed(port.ReadUntilPrompt()), 750);
}

TEST(PtySimulator, DropsOrGarblesTheNextAnswer) {
  PtySimulator simulator(Immediate());
  SerialClient port(simulator.Start());
  simulator.DropNextAnswer();
  port.Write("ati\r");
  EXPECT_EQ(port.ReadFor(milliseconds(100)), "");
  simulator.GarbleNextAnswer();
  port.Write("ati\r");
  const std::string garbled = port.ReadUntilPrompt();
  EXPECT_EQ(garbled.size(), std::string("ati\rELM327 v1.5\r\r>").size());
  EXPECT_NE(garbled, "ati\rELM327 v1.5\r\r>");
  port.Write("ati\r");
  EXPECT_EQ(port.ReadUntilPrompt(), "ati\rELM327 v1.5\r\r>");
  EXPECT_TRUE(WaitFor([&] { return simulator.AnswersSent() == 2; }));
  EXPECT_EQ(simulator.RequestsSeen(), 3u);
}

// A frame goes through byte for byte: no CR translation, and 0x3E is only data.
TEST(PtySimulator, CarriesBinaryFramesUnchanged) {
  PtySimulator simulator(Immediate(InterfaceKind::Mobydic));
  simulator.ForcePidData(0x0C, {0x0D, 0x3E});
  SerialClient port(simulator.Start());
  port.Write("\x05");
  EXPECT_EQ(port.ReadBytes(3), std::string("\x05\x00\x01", 3));
  port.Write("\x02");
  EXPECT_EQ(port.ReadBytes(1), "\x06");
  port.Write("\x01\x0C");
  EXPECT_EQ(port.ReadBytes(10), MobydicDataFrame(0x0C, {0x0D, 0x3E}));
}

// The program closes the port and opens it again on reconnection, after locking it exclusively.
TEST(PtySimulator, ThePortCanBeClosedAndOpenedAgain) {
  PtySimulator simulator(Immediate());
  const std::string path = simulator.Start();
  {
    SerialClient port(path);
    ASSERT_EQ(::ioctl(port.fd(), TIOCEXCL), 0);
    port.Write("atz\r");
    port.ReadUntilPrompt();
  }
  // Without privileges an exclusive port cannot be opened again: the simulator must clear the
  // mode as a real device does on its last close. Checked on the flag, so it holds as root too.
  std::unique_ptr<SerialClient> again;
  ASSERT_TRUE(WaitFor([&] {
    again = std::make_unique<SerialClient>(path);
    int exclusive = 1;
    return again->fd() >= 0 && ::ioctl(again->fd(), TIOCGEXCL, &exclusive) == 0 && exclusive == 0;
  }));
  again->Write("ati\r");
  EXPECT_EQ(again->ReadUntilPrompt(), "ati\rELM327 v1.5\r\r>");
}

TEST(PtySimulator, HangsUpAndResumesBehindItsLink) {
  std::string pattern = (fs::temp_directory_path() / "kelvra-pty-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  PtyOptions options = Immediate();
  options.linkPath = (dir / "obd").string();
  {
    PtySimulator simulator(options);
    EXPECT_EQ(simulator.Start(), options.linkPath);
    EXPECT_EQ(fs::read_symlink(options.linkPath), simulator.SlavePath());
    SerialClient port(options.linkPath);
    port.Write("ate0\r");
    EXPECT_EQ(port.ReadUntilPrompt(), "ate0\rOK\r\r>");

    simulator.HangUp();
    EXPECT_FALSE(simulator.Status().lineUp);
    pollfd watch{port.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&watch, 1, 1000), 1);
    EXPECT_NE(watch.revents & POLLHUP, 0);
    EXPECT_FALSE(port.Write("atz\r"));

    EXPECT_EQ(simulator.Resume(), options.linkPath);
    EXPECT_TRUE(simulator.Status().lineUp);
    EXPECT_EQ(fs::read_symlink(options.linkPath), simulator.SlavePath());
    SerialClient again(options.linkPath);
    again.Write("ati\r");  // echo is back on, as after power-up
    EXPECT_EQ(again.ReadUntilPrompt(), "ati\rELM327 v1.5\r\r>");
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(options.linkPath)));  // removed by Stop
  fs::remove_all(dir);
}

TEST(PtySimulator, RefusesToReplaceAFileWithItsLink) {
  std::string pattern = (fs::temp_directory_path() / "kelvra-pty-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  PtyOptions options = Immediate();
  options.linkPath = pattern + "/obd";
  { std::ofstream(options.linkPath) << "garder"; }
  PtySimulator simulator(options);
  EXPECT_THROW(simulator.Start(), Error);
  EXPECT_TRUE(fs::is_regular_file(options.linkPath));
  fs::remove_all(pattern);
}

}  // namespace
}  // namespace kelvra::simulator
