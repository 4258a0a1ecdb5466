#pragma once

#include "form/button_controls.h"
#include "form/text_controls.h"
#include "vehicle/derived_constants.h"
#include "vehicle/vehicle_tab.h"

namespace kelvra::vehicle {

// The editor's controls beside the stored fields of the vehicle tab.
struct EditorControls {
  form::Edit& circumference;    // edCirc, computed
  form::Edit& rollingFriction;  // edF, not stored
  form::Button& completeGears;  // Button2
  form::Label& k1;              // lbK1
  form::Label& k2;              // lbK2
  form::Label& k3;              // lbK3
  form::Label& sae;             // lbSAE
};

// The reactions of the editor fields and the derived constants of the vehicle in the editor.
class VehicleEditor {
 public:
  VehicleEditor(VehicleTab& tab, EditorControls controls);
  VehicleEditor(const VehicleEditor&) = delete;
  VehicleEditor& operator=(const VehicleEditor&) = delete;

  // edJanteChange. Typing a tyre size resets the six speeds and completes the table from the
  // ratios; during a load or an import only the circumference follows, so that the speeds just
  // read from the file are kept.
  void ComputeCircumference();
  // Button2Click.
  void CompleteGearTable();
  // edRTcylChange: the two copies of the swept volume stay equal.
  void SyncSweptVolume(form::Control& sender);
  void ComputeDerivedConstants();
  void RefreshConstantLabels();
  // After a load or an import.
  void ProfileLoaded();
  // The selection's part: constants, their labels and the gear table.
  void Select();

  const DerivedConstants& Constants() const { return constants_; }

 private:
  VehicleTab& tab_;
  EditorControls controls_;
  DerivedConstants constants_;
};

}  // namespace kelvra::vehicle
