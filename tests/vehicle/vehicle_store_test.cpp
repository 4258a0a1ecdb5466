#include "vehicle/vehicle_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/program_folder.h"
#include "common/windows1252.h"
#include "temp_folder.h"
#include "vehicle/vehicle_messages.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::WriteBytes;

constexpr std::size_t kMassField = 23;
static_assert(kTextKeys[kMassField].key == "masse");

// A vehicle whose every field holds a text of its own, accents included.
VehicleProfile Distinct(const std::string& name, const std::string& tag = "é") {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.name = name;
  for (std::size_t field = 0; field < kTextKeys.size(); ++field)
    profile.texts[field] = tag + std::to_string(field) + ",5";
  profile.texts[kSecondSweptVolumeField] = profile.texts[kSweptVolumeField];
  profile.switches = {true, false, true};
  return profile;
}

// The vehicle's section as a save writes it, in UTF-8.
std::string SectionText(const VehicleProfile& profile) {
  std::string text = "[" + profile.name + "]\r\n";
  for (std::size_t field = 0; field < kTextKeys.size(); ++field)
    text += std::string(kTextKeys[field].key) + "=" + profile.texts[field] + "\r\n";
  for (std::size_t index = 0; index < kSwitchCount; ++index)
    text +=
        std::string(kSwitchKeys[index].key) + "=" + (profile.switches[index] ? "1" : "0") + "\r\n";
  return text;
}

class VehicleStoreTest : public ::testing::Test {
 protected:
  std::string StoreText() const { return Cp1252ToUtf8(ReadBytes(store.Path())); }

  test::TempFolder folder;
  std::vector<std::string> trace;
  VehicleStore store{[this](std::string_view line) { trace.emplace_back(line); }};
};

TEST_F(VehicleStoreTest, FirstSaveCreatesTheListAndTheSectionInTableOrder) {
  ASSERT_FALSE(FileExists(store.Path()));
  const VehicleProfile clio = Distinct("Clio");
  EXPECT_TRUE(store.SaveVehicle(clio).done);

  EXPECT_EQ(StoreText(), "[liste]\r\nClio=Clio\r\n" + SectionText(clio));
  // Windows-1252 on disk: the degree sign of the temperature key and the accents are single bytes.
  const std::string bytes = ReadBytes(store.Path());
  EXPECT_NE(bytes.find("\r\nt\xB0=\xE9"
                       "21,5\r\n"),
            std::string::npos);
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});
}

TEST_F(VehicleStoreTest, EveryFieldAndSwitchRoundTrips) {
  for (const std::array<bool, kSwitchCount>& switches :
       {std::array{true, false, true}, std::array{false, true, false}}) {
    VehicleProfile saved = Distinct("Peugeot 205 GTi « t° »");
    saved.switches = switches;
    ASSERT_TRUE(store.SaveVehicle(saved).done);

    VehicleProfile loaded = VehicleProfile::Initial();
    loaded.switches = {!switches[0], !switches[1], !switches[2]};
    store.LoadVehicle(saved.name, loaded);
    EXPECT_EQ(loaded.texts, saved.texts);
    EXPECT_EQ(loaded.switches, saved.switches);
  }
}

TEST_F(VehicleStoreTest, SweptVolumeFillsBothFields) {
  WriteBytes(store.Path(), "[liste]\r\nA=A\r\n[A]\r\ncylindree=1598\r\n");
  VehicleProfile profile = VehicleProfile::Initial();
  store.LoadVehicle("A", profile);
  EXPECT_EQ(profile.texts[kSweptVolumeField], "1598");
  EXPECT_EQ(profile.texts[kSecondSweptVolumeField], "1598");
}

TEST_F(VehicleStoreTest, MissingKeysLeaveTheFieldsAndMakeTheSwitchesTrue) {
  WriteBytes(store.Path(), "[liste]\r\nA=A\r\n[A]\r\nmasse=900\r\n");
  VehicleProfile profile = Distinct("A", "prev");
  profile.switches = {false, false, false};
  const VehicleProfile before = profile;
  store.LoadVehicle("a", profile);  // any letter case

  for (std::size_t field = 0; field < kFieldCount; ++field) {
    EXPECT_EQ(profile.texts[field], field == kMassField ? "900" : before.texts[field])
        << FieldName(field);
  }
  EXPECT_EQ(profile.switches, (std::array{true, true, true}));
}

TEST_F(VehicleStoreTest, SwitchValues) {
  const struct {
    const char* line;
    bool expected;
  } cases[] = {
      {"diesel=1", true},   {"diesel=0", false},   {"diesel=2", true},
      {"diesel=-1", true},  {"diesel=0x0", false}, {"diesel=0X10", true},
      {"diesel=oui", true}, {"diesel=", true},     {"diesel= 0 ", false},
      {"", true},
  };
  for (const auto& c : cases) {
    WriteBytes(store.Path(), std::string("[A]\r\n") + c.line + "\r\n");
    VehicleProfile profile = VehicleProfile::Initial();
    profile.switches[kDieselSwitch] = !c.expected;
    store.LoadVehicle("A", profile);
    EXPECT_EQ(profile.switches[kDieselSwitch], c.expected) << c.line;
  }
}

TEST_F(VehicleStoreTest, SaveKeepsTheCurveEveryUnknownKeyAndOtherVehicles) {
  const std::string other = "[Autre]\r\nmasse=1200\r\nnbcoeff=1\r\ncoeff0=7\r\n";
  WriteBytes(store.Path(),
             "; mes voitures\r\n[liste]\r\nClio=Clio\r\nAutre=Autre\r\n"
             "[Clio]\r\nnote=\xE0 garder\r\nmasse=900\r\nnbcoeff=2\r\nr0=1000\r\nrfin=6000\r\n"
             "coeff0=1,5\r\ncoeff1=-0,25\r\n" +
                 other);
  VehicleProfile clio = Distinct("Clio");
  ASSERT_TRUE(store.SaveVehicle(clio).done);

  // Updated keys keep their place, new ones follow the section's last key.
  std::string expected =
      "; mes voitures\r\n[liste]\r\nClio=Clio\r\nAutre=Autre\r\n[Clio]\r\nnote=à garder\r\n"
      "masse=" +
      clio.texts[kMassField] +
      "\r\nnbcoeff=2\r\nr0=1000\r\nrfin=6000\r\ncoeff0=1,5\r\ncoeff1=-0,25\r\n";
  for (std::size_t field = 0; field < kTextKeys.size(); ++field) {
    if (kTextKeys[field].key != "masse")
      expected += std::string(kTextKeys[field].key) + "=" + clio.texts[field] + "\r\n";
  }
  expected += "diesel=1\r\nmaf=0\r\nclv=1\r\n" + other;
  EXPECT_EQ(StoreText(), expected);
  EXPECT_EQ(store.ReadStoredCurve("Clio"), (StoredCurve{{1.5, -0.25}, 1000, 6000}));
}

TEST_F(VehicleStoreTest, SavingUnderANewNameLeavesTheFirstVehicle) {
  const VehicleProfile first = Distinct("Clio", "a");
  ASSERT_TRUE(store.SaveVehicle(first).done);
  VehicleProfile second = Distinct("Clio 2", "b");
  ASSERT_TRUE(store.SaveVehicle(second).done);

  VehicleProfile loaded = VehicleProfile::Initial();
  store.LoadVehicle("Clio", loaded);
  EXPECT_EQ(loaded.texts, first.texts);
  EXPECT_EQ(store.ListVehicles(), (std::vector<std::string>{"Clio", "Clio 2"}));
}

TEST_F(VehicleStoreTest, NamesDifferingOnlyInCaseShareOneVehicle) {
  ASSERT_TRUE(store.SaveVehicle(Distinct("Clio", "a")).done);
  const VehicleProfile upper = Distinct("CLIO", "b");
  ASSERT_TRUE(store.SaveVehicle(upper).done);

  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});
  EXPECT_EQ(Cp1252ToUtf8(ReadBytes(store.Path())).find("[CLIO]"), std::string::npos);
  VehicleProfile loaded = VehicleProfile::Initial();
  store.LoadVehicle("clio", loaded);
  EXPECT_EQ(loaded.texts, upper.texts);
}

TEST_F(VehicleStoreTest, MissingFileReadsAsEmptyAndIsNotCreatedByReadsOrDeletes) {
  EXPECT_TRUE(store.ListVehicles().empty());
  EXPECT_FALSE(store.Contains("Clio"));
  EXPECT_FALSE(store.ReadStoredCurve("Clio").has_value());
  VehicleProfile profile = Distinct("Clio");
  const VehicleProfile before = profile;
  store.LoadVehicle("Clio", profile);
  EXPECT_EQ(profile.texts, before.texts);
  EXPECT_TRUE(store.DeleteVehicle("Clio").done);
  EXPECT_FALSE(FileExists(store.Path()));
}

TEST_F(VehicleStoreTest, DeleteRemovesTheListKeyAndTheWholeSection) {
  ASSERT_TRUE(store.SaveVehicle(Distinct("Clio")).done);
  ASSERT_TRUE(store.SaveVehicle(Distinct("Twingo")).done);
  store.WriteStoredCurve("Clio", StoredCurve{{1.0}, 0, 7000});

  EXPECT_TRUE(store.DeleteVehicle("clio").done);
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Twingo"});
  EXPECT_FALSE(store.Contains("Clio"));
  EXPECT_EQ(StoreText(), "[liste]\r\nTwingo=Twingo\r\n" + SectionText(Distinct("Twingo")));
}

TEST_F(VehicleStoreTest, TheListSectionCannotBeDeleted) {
  WriteBytes(store.Path(), "[liste]\r\nliste=liste\r\nClio=Clio\r\n[Clio]\r\nmasse=1\r\n");
  const std::string before = ReadBytes(store.Path());
  const Outcome outcome = store.DeleteVehicle("Liste");
  EXPECT_FALSE(outcome.done);
  EXPECT_NE(outcome.message.find("liste"), std::string::npos);
  EXPECT_EQ(ReadBytes(store.Path()), before);
}

TEST_F(VehicleStoreTest, RefusedNamesWriteNothing) {
  const struct {
    const char* name;
    const char* messagePart;
  } cases[] = {
      {"", "veuillez spécifier un nom de véhicule."},
      {"liste", "réservé"},
      {"EXPORT", "réservé"},
      {"Clio]", "n'est pas permis"},
      {"a=b", "n'est pas permis"},
      {"[Clio", "n'est pas permis"},
      {";Clio", "n'est pas permis"},
      {" Clio", "n'est pas permis"},
      {"Clio ", "n'est pas permis"},
      {"Clio\r\n[liste]", "n'est pas permis"},
      {"Clio \xe2\x84\xa2\xe2\x9c\x93", "n'est pas permis"},  // a check mark has no byte
  };
  for (const auto& c : cases) {
    VehicleProfile profile = Distinct(c.name);
    const Outcome outcome = store.SaveVehicle(profile);
    EXPECT_FALSE(outcome.done) << c.name;
    EXPECT_NE(outcome.message.find(c.messagePart), std::string::npos) << outcome.message;
    EXPECT_FALSE(store.ExportVehicle(profile).done) << c.name;
  }
  EXPECT_EQ(store.SaveVehicle(Distinct("")).message, kNoNameMessage);
  EXPECT_FALSE(FileExists(store.Path()));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(VehicleStoreTest, UnusualButHarmlessNamesAreKept) {
  for (const std::string name : {"Citroën C4 1.6/110", "Škoda (t°) ; ok", "Å"}) {
    ASSERT_TRUE(store.SaveVehicle(Distinct(name)).done) << name;
    EXPECT_TRUE(store.ExportVehicle(Distinct(name)).done) << name;
  }
  EXPECT_EQ(store.ListVehicles(),
            (std::vector<std::string>{"Citroën C4 1.6/110", "Škoda (t°) ; ok", "Å"}));
  // A slash would name a folder: the export file takes an underscore in its place.
  EXPECT_TRUE(FileExists(folder.File("Citroën C4 1.6_110.ini")));
}

TEST_F(VehicleStoreTest, WriteFailureThrowsTheFileError) {
  WriteBytes(folder.File("plain"), "");
  SetProgramFolder(folder.File("plain"));  // a folder that is a regular file
  try {
    store.SaveVehicle(Distinct("Clio"));
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + folder.File("plain") + "/vehicules.ini");
  }
}

}  // namespace
}  // namespace kelvra::vehicle
