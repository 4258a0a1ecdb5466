#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_process.h"
#include "serial_client.h"

namespace kelvra::simulator::test {
namespace {

namespace fs = std::filesystem;

// Reads stdout up to the machine-readable line that starts with key, and returns its value.
std::string ValueOf(CliProcess& cli, const std::string& key) {
  while (const auto line = cli.ReadLine()) {
    if (line->starts_with(key + "="))
      return line->substr(key.size() + 1);
  }
  return "";
}

TEST(SimulateCommand, ServesThePtyAndObeysCommandsOnStdin) {
  CliProcess cli(
      KELVRA_CLI_PATH,
      {"simulate", "--interface", "elm323", "--latency", "0", "--baud", "0", "--no-searching"},
      true);
  const std::string path = ValueOf(cli, "PTY");
  ASSERT_TRUE(path.starts_with("/dev/")) << path;
  SerialClient port(path);
  ASSERT_TRUE(port.Write("atz\rate0\r010c\r"));
  EXPECT_EQ(port.ReadUntilPrompt(), "atz\r\r\rELM323 v2.0\r\r>");
  EXPECT_EQ(port.ReadUntilPrompt(), "ate0\rOK\r\r>");
  EXPECT_EQ(port.ReadUntilPrompt(), "41 0C 0B B8 \r\r>");  // no bus init report

  cli.WriteLine("pull 2 3000");
  EXPECT_EQ(cli.ReadLine(), "Tirage à pleine charge en 2e depuis 3000 tr/mn");
  cli.WriteLine("status");
  const std::string status = cli.ReadLine().value_or("");
  // The count of answers sent may still lag behind the bytes just read: not checked here.
  EXPECT_TRUE(status.starts_with("Régime ")) << status;
  EXPECT_NE(status.find("rapport 2, requêtes 3, réponses "), std::string::npos) << status;
  EXPECT_TRUE(status.ends_with("ligne ouverte")) << status;
  cli.WriteLine("pull 8");
  EXPECT_EQ(cli.ReadErrorLine(), "Rapport inexistant : 8");
  cli.WriteLine("hold 3 50");
  EXPECT_EQ(cli.ReadLine(), "Vitesse stabilisée en 3e à 50 km/h");
  ASSERT_TRUE(port.Write("010d\r"));
  EXPECT_EQ(port.ReadUntilPrompt(), "41 0D 32 \r\r>");
  cli.WriteLine("hold 3");
  EXPECT_EQ(cli.ReadErrorLine(), "Usage : hold RAPPORT KM/H");
  cli.WriteLine("quit");
  EXPECT_EQ(cli.ReadLine(), "Simulateur arrêté");
  EXPECT_EQ(cli.Wait(), 0);
}

// Started in the background with nothing on stdin, it serves until it is told to stop.
TEST(SimulateCommand, WithoutCommandsRunsUntilASignal) {
  std::string pattern = (fs::temp_directory_path() / "kelvra-sim-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string link = pattern + "/obd";
  CliProcess cli(KELVRA_CLI_PATH,
                 {"simulate", "--interface", "mobydic", "--latency", "0", "--link", link}, false);
  EXPECT_EQ(ValueOf(cli, "LINK"), link);
  EXPECT_EQ(cli.ReadErrorLine(),
            "Pas de commandes sur l'entrée standard : arrêt par SIGINT ou "
            "SIGTERM.");
  SerialClient port(link);
  ASSERT_TRUE(port.Write("\x05"));
  EXPECT_EQ(port.ReadBytes(3), std::string("\x05\x00\x01", 3));
  cli.Signal(SIGTERM);
  EXPECT_EQ(cli.Wait(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  fs::remove_all(pattern);
}

TEST(SimulateCommand, RefusesWrongOptionsAndCars) {
  const std::string badCar = (fs::temp_directory_path() / "kelvra-sim-bad-car.ini").string();
  std::ofstream(badCar) << "[voiture]\nmasse=beaucoup\n";
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char* message;
  } cases[] = {
      {{"simulate", "--interface", "elm329"}, 2, "Interface inconnue : elm329"},
      {{"simulate", "--baud", "19200"}, 2, "Vitesse non prise en charge : 19200"},
      {{"simulate", "--latency", "-5"}, 2, "Valeur invalide pour --latency : -5"},
      {{"simulate", "--port"}, 2, "Argument inattendu pour simulate : --port"},
      {{"simulate", "--car", badCar}, 1, "clé masse"},
      {{"simulate", "--car", "/nonexistent/car.ini"}, 1, "introuvable"},
  };
  for (const auto& c : cases) {
    CliProcess cli(KELVRA_CLI_PATH, c.arguments, false);
    const std::string message = cli.ReadErrorLine().value_or("");
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_EQ(cli.Wait(), c.status) << message;
  }
  fs::remove(badCar);
}

}  // namespace
}  // namespace kelvra::simulator::test
