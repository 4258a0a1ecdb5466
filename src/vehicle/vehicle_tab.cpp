#include "vehicle/vehicle_tab.h"

#include <string>

#include "common/number_text.h"
#include "vehicle/vehicle_messages.h"

namespace kelvra::vehicle {

namespace {

using Placement = VehicleTab::Placement;

// Marks a load while the store fills the fields, also when it throws.
class LoadingScope {
 public:
  explicit LoadingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~LoadingScope() { flag_ = false; }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  bool& flag_;
};

form::Container* ParentOf(const Placement& placement, std::string_view controlName) {
  if (placement.fieldParent) {
    if (form::Container* parent = placement.fieldParent(controlName))
      return parent;
  }
  return placement.parent;
}

std::array<form::Edit*, kFieldCount> CreateFields(form::Window& window,
                                                  const Placement& placement) {
  std::array<form::Edit*, kFieldCount> fields{};
  for (std::size_t field = 0; field < kFieldCount; ++field) {
    const std::string_view name = FieldName(field);
    fields[field] = &window.Add<form::Edit>(std::string(name), ParentOf(placement, name),
                                            LocalizeDecimal(FieldInitial(field)));
  }
  return fields;
}

// Both buttons of a pair go where the first one goes: radio buttons exclude each other only
// within one parent.
std::array<EditorProfile::RadioPair, kSwitchCount> CreateSwitches(form::Window& window,
                                                                  const Placement& placement) {
  std::array<EditorProfile::RadioPair, kSwitchCount> switches{};
  for (std::size_t index = 0; index < kSwitchCount; ++index) {
    const SwitchKey& key = kSwitchKeys[index];
    form::Container* parent = ParentOf(placement, key.onButton);
    const std::string group(key.key);
    switches[index].on = &window.Add<form::RadioButton>(std::string(key.onButton), parent,
                                                        key.onCaption, key.initial, group);
    switches[index].off = &window.Add<form::RadioButton>(std::string(key.offButton), parent,
                                                         key.offCaption, !key.initial, group);
  }
  return switches;
}

form::FileDialog& OpenDialog(form::Window& window, const Placement& placement) {
  if (placement.openDialog != nullptr)
    return *placement.openDialog;
  return window.Add<form::FileDialog>("OpenDialog1", nullptr, form::FileDialog::Mode::Open,
                                      VehicleTab::kOpenDialogFilter);
}

}  // namespace

VehicleTab::VehicleTab(form::Window& window, VehicleStore& store, const Placement& placement)
    : listLabel(window.Add<form::Label>("Label2", placement.parent, "Liste des véhicules :")),
      vehicleList(window.Add<form::ListBox>("lbVeh", placement.parent, true)),
      nameLabel(window.Add<form::Label>("Label3", placement.parent,
                                        "Enregistrer nouveau / modifications de :")),
      nameField(window.Add<form::Edit>("edVehName", placement.parent)),
      saveButton(window.Add<form::Button>("btWmodifs", placement.parent, "Enregistrer")),
      deleteButton(window.Add<form::Button>("Button7", placement.parent, "Supprimer")),
      exportButton(window.Add<form::Button>("Button22", placement.parent, "Exporter")),
      importButton(window.Add<form::Button>("Button23", placement.parent, "Importer")),
      openDialog(OpenDialog(window, placement)),
      window_(window),
      store_(store),
      fields_(CreateFields(window, placement)),
      switches_(CreateSwitches(window, placement)),
      profile_(nameField, fields_, switches_) {
  vehicleList.onClick = [this](form::Control& sender) { lbVehClick(sender); };
  importButton.onClick = [this](form::Control& sender) { lbVehClick(sender); };
  vehicleList.onDoubleClick = [this](form::Control&) {
    if (onSelectVehicle)
      onSelectVehicle();
  };
  saveButton.onClick = [this](form::Control& sender) { btWmodifsClick(sender); };
  deleteButton.onClick = [this](form::Control& sender) { Button7Click(sender); };
  exportButton.onClick = [this](form::Control& sender) { Button22Click(sender); };
}

void VehicleTab::FillList() {
  vehicleList.Clear();
  for (const std::string& name : store_.ListVehicles())
    vehicleList.AddItem(name);
}

form::RadioButton& VehicleTab::SwitchButton(std::size_t index, bool on) const {
  const EditorProfile::RadioPair& pair = switches_.at(index);
  return on ? *pair.on : *pair.off;
}

void VehicleTab::lbVehClick(form::Control& sender) {
  if (&sender == &importButton) {
    Import();
  } else {
    LoadSelected();
  }
}

void VehicleTab::btWmodifsClick(form::Control&) {
  const Outcome outcome = store_.SaveVehicle(profile_);
  if (outcome.done) {
    AddToList(profile_.Name());
  } else {
    Show(outcome.message);
  }
}

void VehicleTab::Button7Click(form::Control&) {
  const int selected = vehicleList.ItemIndex();
  if (selected < 0) {
    Show(std::string(kNothingSelectedMessage));
    return;
  }
  if (!window_.services().dialogs.Confirm(std::string(kConfirmDeleteMessage),
                                          std::string(kConfirmDeleteCaption))) {
    return;
  }
  const Outcome outcome = store_.DeleteVehicle(vehicleList.SelectedText());
  if (outcome.done) {
    vehicleList.DeleteItem(selected);
  } else {
    Show(outcome.message);
  }
}

void VehicleTab::Button22Click(form::Control&) {
  const Outcome outcome = store_.ExportVehicle(profile_);
  if (!outcome.done) {
    Show(outcome.message);
    return;
  }
  AddToList(profile_.Name());
  Show(std::string(kExportedMessage));
}

void VehicleTab::LoadSelected() {
  if (vehicleList.ItemIndex() < 0)
    return;
  const std::string name = vehicleList.SelectedText();
  nameField.SetText(name);
  {
    const LoadingScope scope(loading_);
    store_.LoadVehicle(name, profile_);
  }
  Loaded();
}

void VehicleTab::Import() {
  openDialog.SetFileName("*.ini");
  if (!openDialog.Execute())
    return;
  ImportResult result;
  {
    const LoadingScope scope(loading_);
    result = store_.ImportVehicle(openDialog.FileName(), profile_);
  }
  if (result.save.done) {
    AddToList(result.name);
  } else {
    Show(result.save.message);
  }
  Loaded();
}

void VehicleTab::Loaded() {
  if (onProfileLoaded)
    onProfileLoaded();
}

void VehicleTab::Show(const std::string& message) {
  if (!message.empty())
    window_.services().dialogs.ShowMessage(message);
}

void VehicleTab::AddToList(const std::string& name) {
  if (vehicleList.IndexOf(name) < 0)
    vehicleList.AddItem(name);
}

}  // namespace kelvra::vehicle
