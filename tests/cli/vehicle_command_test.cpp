// kelvra-cli vehicle: the vehicle file through the real program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"

namespace kelvra::test {
namespace {

// Windows-1252 bytes: the degree sign is 0xB0, "é" 0xE9.
const char* const kStore =
    "[liste]\r\nClio=Clio\r\nTwingo=Twingo\r\n"
    "[Clio]\r\njante=15\r\nt\xB0=12\r\ncylindree=1598\r\nSCX=0,61\r\ndiesel=1\r\nmaf=0\r\n"
    "nbcoeff=2\r\nr0=1500\r\nrfin=6800\r\ncoeff0=12,5\r\ncoeff1=-0,003\r\n"
    "[Twingo]\r\nmasse=820\r\n";

class VehicleCommandTest : public ::testing::Test {
 protected:
  VehicleCommandTest() { folder = MakeTemporaryFolder(); }
  ~VehicleCommandTest() override { std::filesystem::remove_all(folder); }

  ProcessResult Run(const std::vector<std::string>& arguments) const {
    return RunCliCommand(folder, "vehicle", arguments);
  }
  std::string File(const std::string& name) const { return folder + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string folder;
};

TEST_F(VehicleCommandTest, ListGivesTheNamesInFileOrder) {
  ProcessResult result = Run({"list"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");

  Write("vehicules.ini", "[liste]\r\nZo\xE9=Zo\xE9\r\nClio=Clio\r\n");
  result = Run({"list"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Zoé\nClio\n");
}

TEST_F(VehicleCommandTest, ShowGivesWhatTheWindowWouldLoad) {
  Write("vehicules.ini", kStore);
  const ProcessResult result = Run({"show", "clio"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  for (const char* line : {
           "Véhicule : Clio\n",
           "\nedJante     jante = 15\n",
           "\nedTemp      t° = 12\n",
           "\nedSCX       SCX = 0,61\n",
           "\nedInertieT  inertieT = 0,16\n",  // not stored: the start-up text
           "\nedCyl       cylindree = 1598\n",
           "\nedRTcyl     cylindree = 1598\n",
           "\nrbRTdiesel  diesel = 1\nrbRTMAF     maf = 0\nrbRTCLV     clv = 1\n",
           "\nCourbe enregistrée : 2 coefficients, de 1500 à 6800 tr/mn\n"
           "            coeff0 = 12,5\n            coeff1 = -0,003\n",
       }) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << " missing from:\n" << result.out;
  }

  const ProcessResult twingo = Run({"show", "Twingo"});
  EXPECT_EQ(twingo.exitCode, 0) << twingo.err;
  EXPECT_NE(twingo.out.find("\nedMasse     masse = 820\n"), std::string::npos) << twingo.out;
  EXPECT_NE(twingo.out.find("\nPas de courbe enregistrée\n"), std::string::npos) << twingo.out;
}

// After the fields, what the window's labels and gear table show once the vehicle is selected.
TEST_F(VehicleCommandTest, ShowGivesTheSelectionsConstantsAndGearTable) {
  Write("vehicules.ini",
        "[liste]\r\nClio=Clio\r\nLourde=Lourde\r\n"
        "[Clio]\r\ncouple conique=4,2\r\n1e=3,73\r\nv2e=6,94\r\n"
        "[Lourde]\r\nmasse=lourd\r\n");
  const ProcessResult result = Run({"show", "Clio"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("\nAprès sélection :\n"
                            "lbK1        = 0,00795716978609562 W/(km/h)^3\n"
                            "lbK2        = 40,8333320617676 W/(km/h)\n"
                            "lbK3        = 77,1604919433594 W/(km²/h^3)\n"
                            "lbSAE       1,05229592323303\n"
                            "edCirc      1,81458391671346\n"
                            "edRcc       4,2\n"
                            "edR1        3,73\n"
                            "edR2        3,73\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\nedRv1       6,94\nedRv2       6,94\nedRv3       0\n"),
            std::string::npos)
      << result.out;

  const ProcessResult heavy = Run({"show", "Lourde"});
  EXPECT_EQ(heavy.exitCode, 1);
  EXPECT_NE(heavy.err.find("Sélection impossible : 'lourd' is not a valid floating point value"),
            std::string::npos)
      << heavy.err;
  EXPECT_NE(heavy.out.find("\nedMasse     masse = lourd\n"), std::string::npos) << heavy.out;
}

TEST_F(VehicleCommandTest, ExportThenImportElsewhere) {
  Write("vehicules.ini", kStore);
  ProcessResult result = Run({"export", "CLIO"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Exporté avec succès : " + File("Clio.ini") + "\n");
  const std::string exported = Read("Clio.ini");
  EXPECT_EQ(exported.substr(0, 52),
            "[export]\r\nnom=Clio\r\n[Clio]\r\ncouple conique=1\r\n1e=0\r\n");
  EXPECT_NE(exported.find("\r\nt\xB0=12\r\n"), std::string::npos);
  EXPECT_NE(exported.find("\r\nnbcoeff=2\r\nr0=1500\r\nrfin=6800\r\ncoeff0=12,5\r\n"),
            std::string::npos);

  std::filesystem::rename(File("Clio.ini"), folder + ".Clio.ini");
  std::filesystem::remove(File("vehicules.ini"));
  result = Run({"import", folder + ".Clio.ini"});
  std::filesystem::remove(folder + ".Clio.ini");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Véhicule importé : Clio, avec sa courbe\n");
  EXPECT_EQ(Run({"list"}).out, "Clio\n");
  const ProcessResult shown = Run({"show", "Clio"});
  EXPECT_NE(shown.out.find("\nedTemp      t° = 12\n"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("coeff1 = -0,003\n"), std::string::npos) << shown.out;
}

TEST_F(VehicleCommandTest, FailuresExitWithOneAndSaveNothing) {
  Write("sans nom.ini", "[Clio]\r\nmasse=900\r\n");
  Write("nom vide.ini", "[export]\r\nnom=\r\n");
  const struct {
    std::vector<std::string> arguments;
    std::string messagePart;
  } cases[] = {
      {{"show", "Alpine"}, "Véhicule inconnu : Alpine"},
      {{"export", "Alpine"}, "Véhicule inconnu : Alpine"},
      {{"import", File("absent.ini")}, "Fichier introuvable"},
      {{"import", File("sans nom.ini")}, "Erreur import"},
      {{"import", File("nom vide.ini")}, "veuillez spécifier un nom de véhicule."},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.arguments[0];
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(File("vehicules.ini")));
}

TEST_F(VehicleCommandTest, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                    {"frobnicate"},
                                                    {"list", "extra"},
                                                    {"show"},
                                                    {"export", "a", "b"},
                                                    {"import"}}) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("kelvra-cli vehicle list | show NOM"), std::string::npos)
        << result.err;
  }
}

}  // namespace
}  // namespace kelvra::test
