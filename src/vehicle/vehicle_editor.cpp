#include "vehicle/vehicle_editor.h"

#include "vehicle/gear_table.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

VehicleEditor::VehicleEditor(VehicleTab& tab, EditorControls controls)
    : tab_(tab), controls_(controls) {
  for (std::size_t field : {kRimField, kAspectField, kWidthField}) {
    tab_.Field(field).onChange = [this](form::Control&) { ComputeCircumference(); };
  }
  for (std::size_t field : {kSweptVolumeField, kSecondSweptVolumeField}) {
    tab_.Field(field).onChange = [this](form::Control& sender) { SyncSweptVolume(sender); };
  }
  controls_.completeGears.onClick = [this](form::Control&) { CompleteGearTable(); };
  controls_.circumference.SetReadOnly(true);
  tab_.onProfileLoaded = [this] { ProfileLoaded(); };
}

void VehicleEditor::ComputeCircumference() {
  controls_.circumference.SetText(CircumferenceText(tab_.Profile()));
  if (tab_.Loading())
    return;
  for (std::size_t gear = 0; gear < kGearCount; ++gear)
    tab_.Field(kFirstSpeedField + gear).SetText("0");
  CompleteGearTable();
}

void VehicleEditor::CompleteGearTable() {
  vehicle::CompleteGearTable(tab_.Profile(), controls_.circumference.Text());
}

void VehicleEditor::SyncSweptVolume(form::Control& sender) {
  form::Edit& first = tab_.Field(kSweptVolumeField);
  form::Edit& second = tab_.Field(kSecondSweptVolumeField);
  if (&sender == &first) {
    second.SetText(first.Text());
  } else {
    first.SetText(second.Text());
  }
}

void VehicleEditor::ComputeDerivedConstants() {
  vehicle::ComputeDerivedConstants(tab_.Profile(), controls_.rollingFriction.Text(), constants_);
}

void VehicleEditor::RefreshConstantLabels() {
  const ConstantLabels labels = ConstantLabelTexts(constants_);
  controls_.k1.SetCaption(labels.k1);
  controls_.k2.SetCaption(labels.k2);
  controls_.k3.SetCaption(labels.k3);
  controls_.sae.SetCaption(labels.sae);
}

void VehicleEditor::ProfileLoaded() {
  ComputeDerivedConstants();
  RefreshConstantLabels();
}

void VehicleEditor::Select() {
  ComputeDerivedConstants();
  RefreshConstantLabels();
  CompleteGearTable();
}

}  // namespace kelvra::vehicle
