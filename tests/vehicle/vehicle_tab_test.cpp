#include "vehicle/vehicle_tab.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"
#include "form/manual_services.h"
#include "form/page_controls.h"
#include "temp_folder.h"
#include "vehicle/vehicle_messages.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::WriteBytes;

const char* const kStore =
    "[liste]\r\nTwingo=Twingo\r\nclio=clio\r\nAlpine=Alpine\r\n"
    "[clio]\r\njante=15\r\naspect=55\r\nlargeur=195\r\nSCX=0,61\r\nt\xB0=12\r\ncylindree=1598\r\n"
    "masse=1050\r\ndiesel=1\r\nmaf=0\r\nclv=0\r\nnbcoeff=1\r\ncoeff0=2\r\n"
    "[Twingo]\r\nmasse=820\r\n";

class VehicleTabTest : public ::testing::Test {
 protected:
  VehicleTabTest() {
    tab.onProfileLoaded = [this] { events.push_back("chargé " + tab.nameField.Text()); };
    tab.onSelectVehicle = [this] { events.push_back("sélectionné " + tab.nameField.Text()); };
  }

  void UseStore(const std::string& bytes) {
    WriteBytes(store.Path(), bytes);
    tab.FillList();
  }
  void Click(const std::string& name) { tab.vehicleList.UserClickItem(Index(name)); }
  int Index(const std::string& name) const { return tab.vehicleList.IndexOf(name); }
  std::string StoreText() const { return Cp1252ToUtf8(ReadBytes(store.Path())); }

  test::TempFolder folder;
  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 800, 600};
  form::TabPage& page = window.Add<form::TabPage>("tsVehicules", nullptr, "Configuration voitures");
  VehicleStore store;
  VehicleTab tab{window, store, {.parent = &page}};
  std::vector<std::string> events;
};

TEST_F(VehicleTabTest, ControlsWithTheirCaptionsAndInitialState) {
  EXPECT_EQ(window.Get<form::Label>("Label2").Caption(), "Liste des véhicules :");
  EXPECT_EQ(window.Get<form::Label>("Label3").Caption(),
            "Enregistrer nouveau / modifications de :");
  EXPECT_TRUE(window.Get<form::ListBox>("lbVeh").Sorted());
  EXPECT_EQ(window.Get<form::Edit>("edVehName").Text(), "");
  EXPECT_EQ(window.Get<form::Button>("btWmodifs").Caption(), "Enregistrer");
  EXPECT_EQ(window.Get<form::Button>("Button7").Caption(), "Supprimer");
  EXPECT_EQ(window.Get<form::Button>("Button22").Caption(), "Exporter");
  EXPECT_EQ(window.Get<form::Button>("Button23").Caption(), "Importer");
  EXPECT_EQ(window.Get<form::FileDialog>("OpenDialog1").Filter(), VehicleTab::kOpenDialogFilter);

  EXPECT_EQ(window.Get<form::Edit>("edRcc").Text(), "1");
  EXPECT_EQ(window.Get<form::Edit>("edSCX").Text(), "0,63");
  EXPECT_EQ(window.Get<form::Edit>("edInertieT").Text(), "0,16");
  EXPECT_EQ(window.Get<form::Edit>("edTemp").Text(), "20");
  EXPECT_EQ(window.Get<form::Edit>("edRTcyl").Text(), "1000");
  EXPECT_EQ(window.Get<form::Edit>("edRTmolE").Text(), "120");
  const std::map<std::string, bool> radios{{"rbRTdiesel", false}, {"rbRTess", true},
                                           {"rbRTMAF", true},     {"rbRTnoMAF", false},
                                           {"rbRTCLV", true},     {"rbRTATP", false}};
  for (const auto& [name, checked] : radios)
    EXPECT_EQ(window.Get<form::RadioButton>(name).Checked(), checked) << name;

  // On the page, and laid out by the window, not here.
  for (const auto& control : window.Controls()) {
    if (control.get() == &page)
      continue;
    EXPECT_EQ(control->GetBounds(), form::Bounds{}) << control->Name();
    if (control->IsVisual()) {
      EXPECT_EQ(control->Parent(), &page) << control->Name();
    }
  }
  EXPECT_EQ(window.Controls().size(), 1u + 8u + 34u + 6u + 1u);
}

TEST_F(VehicleTabTest, InitialTextsFollowTheDecimalSeparator) {
  SetDecimalSeparator('.');
  form::Window other{env.services, "Form1", "Kelvra", 800, 600};
  form::FileDialog& shared =
      other.Add<form::FileDialog>("OpenDialog1", nullptr, form::FileDialog::Mode::Open);
  VehicleTab pointTab{other, store, {.openDialog = &shared}};
  SetDecimalSeparator(',');
  EXPECT_EQ(pointTab.Field(19).Text(), "0.63");
  EXPECT_EQ(&pointTab.openDialog, &shared);
}

TEST_F(VehicleTabTest, FieldsCanGoOnTheirOwnPagesWithEachRadioPairTogether) {
  form::Window other{env.services, "Form1", "Kelvra", 800, 600};
  form::TabPage& rt = other.Add<form::TabPage>("TabSheet4");
  VehicleTab placed{
      other, store, {nullptr, [&](std::string_view name) -> form::Container* {
                       return name.starts_with("edRT") || name.starts_with("rbRT") ? &rt : nullptr;
                     }}};
  EXPECT_EQ(other.Get<form::Edit>("edRTcyl").Parent(), &rt);
  EXPECT_EQ(other.Get<form::RadioButton>("rbRTess").Parent(), &rt);
  EXPECT_EQ(other.Get<form::Edit>("edCyl").Parent(), &other);
  other.Get<form::RadioButton>("rbRTdiesel").UserSelect();
  EXPECT_FALSE(other.Get<form::RadioButton>("rbRTess").Checked());
  EXPECT_TRUE(other.Get<form::RadioButton>("rbRTMAF").Checked());
}

TEST_F(VehicleTabTest, ListIsFilledSortedFromTheStore) {
  UseStore(kStore);
  EXPECT_EQ(tab.vehicleList.Items(), (std::vector<std::string>{"Alpine", "clio", "Twingo"}));
}

TEST_F(VehicleTabTest, ClickLoadsTheVehicleSettingOnlyTheFieldsThatChange) {
  UseStore(kStore);
  std::vector<std::string> changed;
  for (std::size_t field = 0; field < kFieldCount; ++field) {
    tab.Field(field).onChange = [&](form::Control& sender) { changed.push_back(sender.Name()); };
  }
  Click("clio");

  EXPECT_EQ(tab.nameField.Text(), "clio");
  EXPECT_EQ(changed, (std::vector<std::string>{"edJante", "edAspect", "edLargeur", "edSCX",
                                               "edTemp", "edMasse", "edCyl", "edRTcyl"}));
  EXPECT_EQ(window.Get<form::Edit>("edTemp").Text(), "12");
  EXPECT_EQ(window.Get<form::Edit>("edRTcyl").Text(), "1598");
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTdiesel").Checked());
  EXPECT_FALSE(window.Get<form::RadioButton>("rbRTess").Checked());
  EXPECT_FALSE(window.Get<form::RadioButton>("rbRTMAF").Checked());
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTnoMAF").Checked());
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTATP").Checked());
  EXPECT_EQ(events, std::vector<std::string>{"chargé clio"});

  // Keys the next vehicle lacks keep the previous vehicle's texts; its switches become true.
  Click("Twingo");
  EXPECT_EQ(window.Get<form::Edit>("edMasse").Text(), "820");
  EXPECT_EQ(window.Get<form::Edit>("edJante").Text(), "15");
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTMAF").Checked());
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTCLV").Checked());
}

TEST_F(VehicleTabTest, DoubleClickLoadsThenSelects) {
  UseStore(kStore);
  tab.vehicleList.UserDoubleClickItem(Index("Twingo"));
  EXPECT_EQ(events, (std::vector<std::string>{"chargé Twingo", "sélectionné Twingo"}));
}

TEST_F(VehicleTabTest, AFieldReactionThatFailsEndsTheLoad) {
  UseStore(kStore);
  window.Get<form::Edit>("edJante").onChange = [](form::Control&) {
    throw ConversionError("'15' is not a valid floating point value");
  };
  Click("clio");
  EXPECT_EQ(env.dialogs.errors,
            std::vector<std::string>{"'15' is not a valid floating point value"});
  EXPECT_EQ(window.Get<form::Edit>("edJante").Text(), "15");
  EXPECT_EQ(window.Get<form::Edit>("edAspect").Text(), "60");
  EXPECT_TRUE(events.empty());
}

TEST_F(VehicleTabTest, SaveNeedsANameAndListsTheVehicleOnce) {
  tab.saveButton.UserClick();
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{std::string(kNoNameMessage)});
  EXPECT_FALSE(FileExists(store.Path()));

  tab.nameField.SetText("Clio");
  window.Get<form::Edit>("edMasse").SetText("1050");
  tab.saveButton.UserClick();
  tab.saveButton.UserClick();
  EXPECT_EQ(tab.vehicleList.Items(), std::vector<std::string>{"Clio"});
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});
  EXPECT_NE(StoreText().find("\r\nmasse=1050\r\n"), std::string::npos);

  // Another letter case is another entry of the list, but the same vehicle in the file.
  tab.nameField.SetText("CLIO");
  tab.saveButton.UserClick();
  EXPECT_EQ(tab.vehicleList.Items(), (std::vector<std::string>{"Clio", "CLIO"}));
  EXPECT_EQ(store.ListVehicles(), std::vector<std::string>{"Clio"});
  EXPECT_EQ(env.dialogs.messages.size(), 1u);
}

TEST_F(VehicleTabTest, DeleteAsksAndRemovesTheSelectedVehicle) {
  UseStore(kStore);
  tab.deleteButton.UserClick();
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{std::string(kNothingSelectedMessage)});
  EXPECT_TRUE(env.dialogs.confirms.empty());

  Click("clio");
  env.dialogs.confirmAnswers = {false};
  tab.deleteButton.UserClick();
  EXPECT_EQ(env.dialogs.confirms,
            std::vector<std::string>{"Attention: Confirmer la suppression du véhicule ?"});
  EXPECT_EQ(StoreText(), Cp1252ToUtf8(kStore));

  env.dialogs.confirmAnswers = {true};
  tab.deleteButton.UserClick();
  EXPECT_EQ(tab.vehicleList.Items(), (std::vector<std::string>{"Alpine", "Twingo"}));
  EXPECT_EQ(tab.vehicleList.ItemIndex(), -1);
  EXPECT_EQ(StoreText(), "[liste]\r\nTwingo=Twingo\r\nAlpine=Alpine\r\n[Twingo]\r\nmasse=820\r\n");
  // The editor keeps what it shows.
  EXPECT_EQ(tab.nameField.Text(), "clio");
  EXPECT_EQ(window.Get<form::Edit>("edMasse").Text(), "1050");
}

TEST_F(VehicleTabTest, ExportWritesTheFileListsTheNameAndSaysSo) {
  tab.exportButton.UserClick();  // no name: nothing at all
  EXPECT_TRUE(env.dialogs.messages.empty());

  UseStore(kStore);
  Click("clio");
  tab.nameField.SetText("Clio export");
  tab.exportButton.UserClick();
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{"Exporté avec succès"});
  EXPECT_NE(tab.vehicleList.IndexOf("Clio export"), -1);
  // Not stored under the new name, so no curve goes with it.
  const std::string exported = Cp1252ToUtf8(ReadBytes(folder.File("Clio export.ini")));
  EXPECT_EQ(exported.substr(0, 47), "[export]\r\nnom=Clio export\r\n[Clio export]\r\ncoupl");
  EXPECT_EQ(exported.find("nbcoeff"), std::string::npos);
}

TEST_F(VehicleTabTest, ImportAsksForAFileThenLoadsSavesAndLists) {
  UseStore(kStore);
  WriteBytes(
      folder.File("ami.ini"),
      "[export]\r\nnom=Golf\r\n[Golf]\r\nmasse=1250\r\ndiesel=1\r\nnbcoeff=1\r\ncoeff0=3\r\n");
  env.dialogs.openAnswers = {std::nullopt, folder.File("ami.ini")};

  tab.importButton.UserClick();  // cancelled
  ASSERT_EQ(env.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(env.dialogs.fileRequests[0].fileName, "*.ini");
  EXPECT_EQ(env.dialogs.fileRequests[0].filter, VehicleTab::kOpenDialogFilter);
  EXPECT_TRUE(events.empty());

  tab.importButton.UserClick();
  EXPECT_EQ(env.dialogs.fileRequests.at(1).fileName, "*.ini");
  EXPECT_EQ(tab.nameField.Text(), "Golf");
  EXPECT_EQ(window.Get<form::Edit>("edMasse").Text(), "1250");
  EXPECT_TRUE(window.Get<form::RadioButton>("rbRTdiesel").Checked());
  EXPECT_EQ(tab.vehicleList.Items(),
            (std::vector<std::string>{"Alpine", "clio", "Golf", "Twingo"}));
  EXPECT_EQ(store.ReadStoredCurve("Golf"), (StoredCurve{{3.0}, 0, 32000}));
  EXPECT_EQ(events, std::vector<std::string>{"chargé Golf"});
  EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(VehicleTabTest, ImportErrorsStillRecomputeButSaveNothing) {
  WriteBytes(folder.File("sans nom.ini"), "[Golf]\r\nmasse=1250\r\n");
  WriteBytes(folder.File("nom vide.ini"), "[export]\r\nnom=\r\n");
  env.dialogs.openAnswers = {folder.File("sans nom.ini"), folder.File("nom vide.ini")};

  tab.importButton.UserClick();
  EXPECT_EQ(tab.nameField.Text(), "Erreur import");
  EXPECT_TRUE(env.dialogs.messages.empty());
  tab.importButton.UserClick();
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{std::string(kNoNameMessage)});

  EXPECT_EQ(events, (std::vector<std::string>{"chargé Erreur import", "chargé "}));
  EXPECT_TRUE(tab.vehicleList.Items().empty());
  EXPECT_FALSE(FileExists(store.Path()));
}

TEST_F(VehicleTabTest, AFailedWriteIsShownAndLeavesTheFileAsItWas) {
  UseStore(kStore);
  // The replacement file cannot be created where a folder stands in its way.
  std::filesystem::create_directory(store.Path() + ".tmp" + std::to_string(getpid()));
  tab.nameField.SetText("Nouvelle");
  tab.saveButton.UserClick();
  Click("clio");
  env.dialogs.confirmAnswers = {true};
  tab.deleteButton.UserClick();

  EXPECT_EQ(env.dialogs.errors, std::vector<std::string>(2, "Unable to write to " + store.Path()));
  EXPECT_EQ(ReadBytes(store.Path()), kStore);
  EXPECT_EQ(tab.vehicleList.Items(), (std::vector<std::string>{"Alpine", "clio", "Twingo"}));
}

}  // namespace
}  // namespace kelvra::vehicle
