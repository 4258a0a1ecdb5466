// kelvra-cli accel: the acceleration diagram of an exported curve, through the real program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace kelvra::test {
namespace {

// Five gears given by their speeds per 1000 tr/mn; the sixth is unknown.
const char* const kStore =
    "[liste]\r\nClio=Clio\r\n"
    "[Clio]\r\nv1e=8\r\nv2e=14\r\nv3e=20\r\nv4e=26\r\nv5e=32\r\nv6e=0\r\nmasse=1150\r\n";

// The power-curve export: engine speed, power in cv and torque, with the point of another locale.
const char* const kCurve =
    "1000;30.2;215.1\r\n2000;45;161\r\n3000;60;140,5\r\n4000;75;131\r\n5000;85;119\r\n"
    "6000;80;93.6\r\n";

class AccelCommandTest : public ::testing::Test {
 protected:
  AccelCommandTest() {
    folder = MakeTemporaryFolder();
    Write("vehicules.ini", kStore);
    Write("courbe.csv", kCurve);
  }
  ~AccelCommandTest() override { std::filesystem::remove_all(folder); }

  ProcessResult Run(const std::vector<std::string>& arguments) const {
    return RunCliCommand(folder, "accel", arguments);
  }
  std::string File(const std::string& name) const { return folder + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }

  std::string folder;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

TEST_F(AccelCommandTest, PrintsTheTwoResultMemos) {
  const ProcessResult result = Run({File("courbe.csv"), "--vehicle", "clio"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 12u) << result.out;
  EXPECT_EQ(lines[0], "Accélération max :");
  EXPECT_TRUE(lines[1].starts_with("1°: 7,")) << lines[1];  // 15 % lost in the transmission
  EXPECT_TRUE(lines[1].ends_with("m/s²")) << lines[1];
  EXPECT_EQ(lines[6], "Passage optimal des rapports :");
  EXPECT_TRUE(lines[7].starts_with("1->2 : ")) << lines[7];
  EXPECT_TRUE(lines[11].starts_with("Vmax : ")) << lines[11];
}

TEST_F(AccelCommandTest, UnitAndEnvelopeOptions) {
  const ProcessResult kmhs =
      Run({File("courbe.csv"), "--vehicle", "Clio", "--unit", "kmhs", "--max"});
  ASSERT_EQ(kmhs.exitCode, 0) << kmhs.err;
  EXPECT_TRUE(Lines(kmhs.out)[1].ends_with(" km/h/s")) << kmhs.out;
}

TEST_F(AccelCommandTest, MistakesAndBadFilesAreReported) {
  EXPECT_EQ(Run({File("courbe.csv")}).exitCode, 2);
  EXPECT_EQ(Run({File("courbe.csv"), "--vehicle", "Clio", "--unit", "g"}).exitCode, 2);
  const ProcessResult unknown = Run({File("courbe.csv"), "--vehicle", "Zoe"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("Véhicule inconnu : Zoe"), std::string::npos) << unknown.err;
  const ProcessResult missing = Run({File("absent.csv"), "--vehicle", "Clio"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Impossible de lire"), std::string::npos) << missing.err;
  Write("bad.csv", "1000;30\r\n2000;beaucoup\r\n");
  const ProcessResult bad = Run({File("bad.csv"), "--vehicle", "Clio"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("Calcul impossible : 'beaucoup'"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace kelvra::test
