// kelvra-cli power: a pull of the simulated car computed through the real program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"
#include "simulator/car_description.h"
#include "support/simulated_pull.h"

namespace kelvra::test {
namespace {

class PowerCommandTest : public ::testing::Test {
 protected:
  PowerCommandTest() {
    folder = MakeTemporaryFolder();
    std::ofstream(File("vehicules.ini"), std::ios::binary)
        << testing::MatchingVehicleFile(car, "Citadine");
    std::ofstream run(File("pull.txt"), std::ios::binary);
    for (const std::string& line : testing::SimulatedPullLines(car, 3, 1500, 20, 0.005, 7))
      run << line << "\r\n";
  }
  ~PowerCommandTest() override { std::filesystem::remove_all(folder); }

  ProcessResult Run(const std::vector<std::string>& arguments) const {
    return RunCliCommand(folder, "power", arguments);
  }
  std::string File(const std::string& name) const { return folder + "/" + name; }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  simulator::CarDescription car = testing::KelvraComparableCar(simulator::DefaultCar());
  std::string folder;
};

TEST_F(PowerCommandTest, PrintsTheStatisticsWritesTheExportAndThePicture) {
  const ProcessResult result = Run({File("pull.txt"), "--vehicle", "Citadine", "--export",
                                    File("courbe.csv"), "--png", File("courbe.png")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  // "Puissance max/régime : 111cv (81kW) - 5750tr/mn" against the car's 111 cv.
  const std::string title = "Puissance max/régime : ";
  const auto at = result.out.find(title);
  ASSERT_NE(at, std::string::npos) << result.out;
  const double cv = std::stod(result.out.substr(at + title.size()));
  const testing::TruePeak truth = testing::TruePeakPower(car, 1500, 6500);
  EXPECT_NEAR(cv, truth.cv, truth.cv * 0.01 + 1) << result.out;
  for (const char* line : {"Couple max/régime : ", "Elasticité : ", "%Cmax à Pmax : ", "PME : ",
                           "Puissance spécifique : ", "Couple spécifique : ",
                           "Coeff. de remplissage : ", "Pmoy efficace : "}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line;
  }
  const std::string rows = Read("courbe.csv");
  EXPECT_EQ(rows.substr(0, 5), "1500;") << rows.substr(0, 80);
  EXPECT_NE(rows.find("\r\n6400;"), std::string::npos);
  EXPECT_NE(rows.find(','), std::string::npos);  // the French decimal separator
  const std::string png = Read("courbe.png");
  ASSERT_GT(png.size(), 2000u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(PowerCommandTest, RefusalsAndWrongCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases{
      {{File("absent.txt"), "--vehicle", "Citadine"}, 1, "Fichier invalide"},
      {{File("pull.txt"), "--vehicle", "Inconnue"}, 1, "Véhicule inconnu : Inconnue"},
      {{File("pull.txt"), "--vehicle", "Citadine", "--smoothing", "21"},
       2,
       "Valeur invalide pour --smoothing : 21"},
      {{File("pull.txt"), "--vehicle", "Citadine", "--gear", "7"},
       2,
       "Valeur invalide pour --gear : 7"},
      {{File("pull.txt")}, 2, "--vehicle sont obligatoires"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = Run(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0] << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  std::ofstream(File("court.txt")) << "0;2000\n0,1;2100\n0,2;2200\n";
  const ProcessResult shortRun = Run({File("court.txt"), "--vehicle", "Citadine"});
  EXPECT_EQ(shortRun.exitCode, 1);
  EXPECT_FALSE(shortRun.err.empty());
}

}  // namespace
}  // namespace kelvra::test
