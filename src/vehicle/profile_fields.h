#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvra::vehicle {

// What the store reads and writes of a vehicle: its name, the texts of its editor fields (indexed
// as in vehicle_keys.h) and its switches. The plain VehicleProfile holds them in memory; the
// vehicle tab holds them in its controls, so that a load sets each field as a user's typing would.
class ProfileFields {
 public:
  virtual ~ProfileFields() = default;

  virtual std::string Name() const = 0;
  virtual void SetName(std::string_view name) = 0;
  virtual std::string FieldText(std::size_t field) const = 0;
  virtual void SetFieldText(std::size_t field, std::string_view text) = 0;
  virtual bool Switch(std::size_t index) const = 0;
  virtual void SetSwitch(std::size_t index, bool on) = 0;
};

}  // namespace kelvra::vehicle
