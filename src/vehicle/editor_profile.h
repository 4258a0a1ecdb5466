#pragma once

#include <array>
#include <utility>

#include "form/button_controls.h"
#include "form/text_controls.h"
#include "vehicle/profile_fields.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

// The vehicle as it stands in the window: the name field, the editor fields and the radio pairs.
// Setting a field's text fires its change event, as the user's typing does, so the editor's
// reactions (tyre size, swept volume) run during a load.
class EditorProfile : public ProfileFields {
 public:
  struct RadioPair {
    form::RadioButton* on = nullptr;
    form::RadioButton* off = nullptr;
  };

  EditorProfile(form::Edit& nameField, const std::array<form::Edit*, kFieldCount>& fields,
                const std::array<RadioPair, kSwitchCount>& switches)
      : nameField_(nameField), fields_(fields), switches_(switches) {}

  std::string Name() const override { return nameField_.Text(); }
  void SetName(std::string_view name) override { nameField_.SetText(name); }
  std::string FieldText(std::size_t field) const override { return fields_.at(field)->Text(); }
  void SetFieldText(std::size_t field, std::string_view text) override {
    fields_.at(field)->SetText(text);
  }
  bool Switch(std::size_t index) const override { return switches_.at(index).on->Checked(); }
  void SetSwitch(std::size_t index, bool on) override {
    switches_.at(index).on->SetChecked(on);
    switches_.at(index).off->SetChecked(!on);
  }

 private:
  form::Edit& nameField_;
  std::array<form::Edit*, kFieldCount> fields_;
  std::array<RadioPair, kSwitchCount> switches_;
};

}  // namespace kelvra::vehicle
