// Export files: one vehicle per file, exchanged between installations.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "common/windows1252.h"
#include "temp_folder.h"
#include "vehicle/vehicle_messages.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::vehicle {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::WriteBytes;

VehicleProfile Sample(const std::string& name, const std::string& tag) {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.name = name;
  for (std::size_t field = 0; field < kTextKeys.size(); ++field)
    profile.texts[field] = tag + std::to_string(field);
  profile.texts[kSecondSweptVolumeField] = profile.texts[kSweptVolumeField];
  profile.switches = {true, false, false};
  return profile;
}

std::string KeysText(const VehicleProfile& profile) {
  std::string text;
  for (std::size_t field = 0; field < kTextKeys.size(); ++field)
    text += std::string(kTextKeys[field].key) + "=" + profile.texts[field] + "\r\n";
  return text + "diesel=" + (profile.switches[0] ? "1" : "0") +
         "\r\nmaf=" + (profile.switches[1] ? "1" : "0") +
         "\r\nclv=" + (profile.switches[2] ? "1" : "0") + "\r\n";
}

class VehicleExchangeTest : public ::testing::Test {
 protected:
  std::string Text(const std::string& path) const { return Cp1252ToUtf8(ReadBytes(path)); }

  test::TempFolder folder;
  VehicleStore store;
  const StoredCurve curve{{12.5, -0.003, 1.25e-7}, 1500, 6800};
};

TEST_F(VehicleExchangeTest, ExportHoldsTheNameTheKeysAndTheStoredCurve) {
  const VehicleProfile clio = Sample("Clio RS", "é");
  ASSERT_TRUE(store.SaveVehicle(clio).done);
  store.WriteStoredCurve("Clio RS", curve);

  const Outcome outcome = store.ExportVehicle(clio);
  EXPECT_TRUE(outcome.done);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(Text(folder.File("Clio RS.ini")),
            "[export]\r\nnom=Clio RS\r\n[Clio RS]\r\n" + KeysText(clio) +
                "nbcoeff=3\r\nr0=1500\r\nrfin=6800\r\ncoeff0=12,5\r\ncoeff1=-0,003\r\n"
                "coeff2=1,25E-7\r\n");
}

TEST_F(VehicleExchangeTest, ExportWithoutStoredCurveOrSavedVehicle) {
  // The editor's fields are exported even if they were never saved; there is no curve to add.
  const VehicleProfile twingo = Sample("Twingo", "t");
  ASSERT_TRUE(store.ExportVehicle(twingo).done);
  EXPECT_EQ(Text(folder.File("Twingo.ini")),
            "[export]\r\nnom=Twingo\r\n[Twingo]\r\n" + KeysText(twingo));
  EXPECT_FALSE(FileExists(store.Path()));
}

TEST_F(VehicleExchangeTest, ExportKeepsWhatElseAnExistingFileHolds) {
  WriteBytes(folder.File("Twingo.ini"), "[notes]\r\nx=1\r\n[Twingo]\r\nperso=oui\r\nmasse=1\r\n");
  const VehicleProfile twingo = Sample("Twingo", "t");
  ASSERT_TRUE(store.ExportVehicle(twingo).done);
  const std::string text = Text(folder.File("Twingo.ini"));
  EXPECT_EQ(text.substr(0, text.find("couple conique")),
            "[notes]\r\nx=1\r\n[Twingo]\r\nperso=oui\r\nmasse=t23\r\n");
  EXPECT_NE(text.find("\r\n[export]\r\nnom=Twingo\r\n"), std::string::npos);
}

TEST_F(VehicleExchangeTest, ExportWithoutNameDoesNothingAndSaysNothing) {
  const Outcome outcome = store.ExportVehicle(Sample("", "x"));
  EXPECT_FALSE(outcome.done);
  EXPECT_EQ(outcome.message, "");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(VehicleExchangeTest, ExportNeverWritesIntoTheVehicleFile) {
  ASSERT_TRUE(store.SaveVehicle(Sample("vehicules", "v")).done);
  const std::string before = ReadBytes(store.Path());
  const Outcome outcome = store.ExportVehicle(Sample("vehicules", "v"));
  EXPECT_FALSE(outcome.done);
  EXPECT_NE(outcome.message.find("Export impossible"), std::string::npos);
  EXPECT_EQ(ReadBytes(store.Path()), before);
}

TEST_F(VehicleExchangeTest, ExportThenImportIntoAnotherInstallation) {
  const VehicleProfile clio = Sample("Clio", "é");
  ASSERT_TRUE(store.SaveVehicle(clio).done);
  store.WriteStoredCurve("Clio", curve);
  ASSERT_TRUE(store.ExportVehicle(clio).done);

  test::TempFolder other;
  VehicleProfile loaded = VehicleProfile::Initial();
  const ImportResult result = store.ImportVehicle(folder.File("Clio.ini"), loaded);
  EXPECT_EQ(result.name, "Clio");
  EXPECT_EQ(result.curve, curve);
  EXPECT_TRUE(result.attempted);
  EXPECT_TRUE(result.save.done);
  EXPECT_EQ(loaded.name, "Clio");
  EXPECT_EQ(loaded.texts, clio.texts);
  EXPECT_EQ(loaded.switches, clio.switches);
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});
  EXPECT_EQ(store.ReadStoredCurve("Clio"), curve);
  EXPECT_EQ(Text(store.Path()), "[liste]\r\nClio=Clio\r\n[Clio]\r\n" + KeysText(clio) +
                                    "nbcoeff=3\r\nr0=1500\r\nrfin=6800\r\ncoeff0=12,5\r\n"
                                    "coeff1=-0,003\r\ncoeff2=1,25E-7\r\n");
}

TEST_F(VehicleExchangeTest, FileWithoutNameIsAnImportErrorThatSavesNothing) {
  for (const std::string& content :
       {std::string("[Clio]\r\nmasse=900\r\n"),
        std::string("[export]\r\nname=Clio\r\n[Clio]\r\nmasse=1\r\n"), std::string()}) {
    const std::string path = folder.File("sans nom.ini");
    if (content.empty())
      std::filesystem::remove(path);  // a file that is gone reads as empty
    else
      WriteBytes(path, content);
    VehicleProfile profile = Sample("Avant", "a");
    profile.switches = {false, false, false};
    const ImportResult result = store.ImportVehicle(path, profile);

    EXPECT_EQ(result.name, kImportErrorName);
    EXPECT_EQ(profile.name, kImportErrorName);
    EXPECT_EQ(profile.texts, Sample("Avant", "a").texts);
    EXPECT_EQ(profile.switches, (std::array{true, true, true}));
    EXPECT_FALSE(result.attempted);
    EXPECT_FALSE(result.save.done);
    EXPECT_FALSE(FileExists(store.Path()));
  }
}

TEST_F(VehicleExchangeTest, EmptyNameEndsWithTheMessageOfASaveWithoutName) {
  WriteBytes(folder.File("vide.ini"), "[export]\r\nnom=\r\n[Clio]\r\nmasse=900\r\n");
  VehicleProfile profile = VehicleProfile::Initial();
  const ImportResult result = store.ImportVehicle(folder.File("vide.ini"), profile);
  EXPECT_EQ(profile.name, "");
  EXPECT_TRUE(result.attempted);
  EXPECT_FALSE(result.save.done);
  EXPECT_EQ(result.save.message, kNoNameMessage);
  EXPECT_FALSE(FileExists(store.Path()));
}

TEST_F(VehicleExchangeTest, ImportOverAnExistingVehicleKeepsItsCurveUnlessTheFileHasOne) {
  ASSERT_TRUE(store.SaveVehicle(Sample("Clio", "old")).done);
  store.WriteStoredCurve("Clio", curve);

  WriteBytes(folder.File("sans courbe.ini"),
             Utf8ToCp1252("[export]\r\nnom=CLIO\r\n[clio]\r\n" + KeysText(Sample("CLIO", "new"))));
  VehicleProfile profile = VehicleProfile::Initial();
  ASSERT_TRUE(store.ImportVehicle(folder.File("sans courbe.ini"), profile).save.done);
  VehicleProfile stored = VehicleProfile::Initial();
  store.LoadVehicle("Clio", stored);
  EXPECT_EQ(stored.texts, Sample("CLIO", "new").texts);
  EXPECT_EQ(store.ReadStoredCurve("Clio"), curve);
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});

  WriteBytes(folder.File("avec courbe.ini"),
             "[export]\r\nnom=Clio\r\n[Clio]\r\nmasse=1100\r\nnbcoeff=1\r\nrfin=5000\r\n"
             "coeff0=99,5\r\n");
  const ImportResult result = store.ImportVehicle(folder.File("avec courbe.ini"), profile);
  EXPECT_EQ(result.curve, (StoredCurve{{99.5}, 0, 5000}));
  EXPECT_EQ(store.ReadStoredCurve("Clio"), (StoredCurve{{99.5}, 0, 5000}));
}

}  // namespace
}  // namespace kelvra::vehicle
