#pragma once

#include <array>
#include <string>

#include "vehicle/profile_fields.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

// One vehicle held in memory: for the command-line tool and for tests of the store.
class VehicleProfile : public ProfileFields {
 public:
  // The texts and switch positions the window starts with, with the active decimal separator.
  static VehicleProfile Initial();

  std::string Name() const override { return name; }
  void SetName(std::string_view text) override { name = std::string(text); }
  std::string FieldText(std::size_t field) const override { return texts.at(field); }
  void SetFieldText(std::size_t field, std::string_view text) override {
    texts.at(field) = std::string(text);
  }
  bool Switch(std::size_t index) const override { return switches.at(index); }
  void SetSwitch(std::size_t index, bool on) override { switches.at(index) = on; }

  std::string name;
  std::array<std::string, kFieldCount> texts;
  std::array<bool, kSwitchCount> switches{};
};

}  // namespace kelvra::vehicle
