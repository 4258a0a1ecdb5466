#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vehicle/profile_fields.h"
#include "vehicle/stored_curve.h"

namespace kelvra::vehicle {

// What an operation did: done, or the message telling the user why not (empty when there is
// nothing to say).
struct Outcome {
  bool done = false;
  std::string message;
};

struct ImportResult {
  std::string name;                  // from the file, or "Erreur import"
  std::optional<StoredCurve> curve;  // the curve the file holds
  bool attempted = false;            // a save was tried: the name was not "Erreur import"
  Outcome save;
};

// vehicules.ini in the program's folder, and the export files beside it. Every operation opens the
// file, does its reads and writes, and writes it back once, atomically: a failed write (FileError
// "Unable to write to %s") leaves the file as it was before the operation. Names of sections and
// keys match without regard to letter case, so names that differ only in case share one vehicle.
class VehicleStore {
 public:
  explicit VehicleStore(StateTrace trace = {});

  // Taken at each operation, so that a change of the program's folder is followed.
  std::string Path() const;
  std::string ExportPath(std::string_view name) const;

  // The keys of section "liste", in file order.
  std::vector<std::string> ListVehicles() const;
  // Listed, or with a section of its own.
  bool Contains(std::string_view name) const;

  // Each text key present replaces its field's text, "cylindree" filling both swept-volume fields;
  // an absent key leaves its field as it is. Each switch reads true when absent or not a number.
  void LoadVehicle(std::string_view name, ProfileFields& profile) const;
  // Lists the name, then writes the text keys and the switches ("1" / "0") in table order, then the
  // curve when one is given. Every other key of the section stays as it was.
  Outcome SaveVehicle(const ProfileFields& profile,
                      const std::optional<StoredCurve>& curve = std::nullopt);
  // Removes the name from the list and erases its section.
  Outcome DeleteVehicle(std::string_view name);
  // Writes the export file: "nom" in section "export", the vehicle's keys and its stored curve. An
  // existing file keeps its other sections and keys. Without a name, nothing happens.
  Outcome ExportVehicle(const ProfileFields& profile);
  // Takes the name from the file's "export" section (else "Erreur import"), loads the fields from
  // that name's section as LoadVehicle does, and saves the vehicle with the file's curve unless the
  // name is "Erreur import".
  ImportResult ImportVehicle(const std::string& path, ProfileFields& profile);

  std::optional<StoredCurve> ReadStoredCurve(std::string_view name) const;
  void WriteStoredCurve(std::string_view name, const StoredCurve& curve);

 private:
  StateTrace trace_;
};

}  // namespace kelvra::vehicle
