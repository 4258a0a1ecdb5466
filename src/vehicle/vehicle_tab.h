#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "form/button_controls.h"
#include "form/file_dialog.h"
#include "form/list_controls.h"
#include "form/text_controls.h"
#include "form/window.h"
#include "vehicle/editor_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::vehicle {

// The vehicle list of the tab "Configuration voitures", its name field and buttons, and the editor
// fields the store fills: the controls with their names, captions and initial texts, and the
// handlers of their events. The controls get no bounds here: the window lays them out.
class VehicleTab {
 public:
  struct Placement {
    form::Container* parent = nullptr;  // the tab page; null for the window itself
    // Where an editor field or radio button goes (a page of the editor), by control name; null or
    // unset puts it on parent.
    std::function<form::Container*(std::string_view controlName)> fieldParent = {};
    // The window's shared open dialog; when null, the tab creates "OpenDialog1".
    form::FileDialog* openDialog = nullptr;
  };

  static constexpr std::string_view kOpenDialogFilter =
      "Fichier texte (*.txt)|*.txt|Fichier CSV (*.csv)|*.csv|Fichier RPM (*.rpm)|*.rpm|"
      "Tous les fichiers (*.*)|*.*";

  VehicleTab(form::Window& window, VehicleStore& store, const Placement& placement);
  VehicleTab(const VehicleTab&) = delete;
  VehicleTab& operator=(const VehicleTab&) = delete;

  // Start-up: the list box shows the store's vehicles (it keeps them sorted).
  void FillList();

  // The editor's vehicle: the name field, the editor fields and the switches.
  ProfileFields& Profile() { return profile_; }
  form::Edit& Field(std::size_t field) const { return *fields_.at(field); }
  form::RadioButton& SwitchButton(std::size_t index, bool on) const;
  // A load or an import is filling the editor fields.
  bool Loading() const { return loading_; }

  // Handlers, named after their control and event. lbVehClick serves the list (load the clicked
  // vehicle) and the import button, told apart by the sender.
  void lbVehClick(form::Control& sender);
  void btWmodifsClick(form::Control& sender);
  void Button7Click(form::Control& sender);
  void Button22Click(form::Control& sender);

  // After a load or an import: recompute the derived constants and their labels.
  std::function<void()> onProfileLoaded;
  // A double click on the list, after its load: select the vehicle for the rest of the program.
  std::function<void()> onSelectVehicle;

  form::Label& listLabel;      // Label2
  form::ListBox& vehicleList;  // lbVeh
  form::Label& nameLabel;      // Label3
  form::Edit& nameField;       // edVehName
  form::Button& saveButton;    // btWmodifs
  form::Button& deleteButton;  // Button7
  form::Button& exportButton;  // Button22
  form::Button& importButton;  // Button23
  form::FileDialog& openDialog;

 private:
  void LoadSelected();
  void Import();
  void Loaded();
  void Show(const std::string& message);
  void AddToList(const std::string& name);

  form::Window& window_;
  VehicleStore& store_;
  std::array<form::Edit*, kFieldCount> fields_{};
  std::array<EditorProfile::RadioPair, kSwitchCount> switches_{};
  EditorProfile profile_;
  bool loading_ = false;
};

}  // namespace kelvra::vehicle
