#include "vehicle/vehicle_store.h"

#include <utility>

#include "common/errors.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_messages.h"
#include "vehicle/vehicle_names.h"

namespace kelvra::vehicle {

namespace {

constexpr bool kSwitchDefault = true;

void LoadFields(const IniFile& file, std::string_view section, ProfileFields& profile) {
  for (std::size_t field = 0; field < kTextKeys.size(); ++field) {
    const std::string_view key = kTextKeys[field].key;
    profile.SetFieldText(field, file.ReadString(section, key, profile.FieldText(field)));
    if (field == kSweptVolumeField) {
      profile.SetFieldText(
          kSecondSweptVolumeField,
          file.ReadString(section, key, profile.FieldText(kSecondSweptVolumeField)));
    }
  }
  for (std::size_t index = 0; index < kSwitchCount; ++index)
    profile.SetSwitch(index, file.ReadBool(section, kSwitchKeys[index].key, kSwitchDefault));
}

void WriteFields(IniFile& file, std::string_view section, const ProfileFields& profile) {
  for (std::size_t field = 0; field < kTextKeys.size(); ++field)
    file.WriteString(section, kTextKeys[field].key, profile.FieldText(field));
  for (std::size_t index = 0; index < kSwitchCount; ++index)
    file.WriteBool(section, kSwitchKeys[index].key, profile.Switch(index));
}

}  // namespace

VehicleStore::VehicleStore(StateTrace trace) : trace_(std::move(trace)) {}

std::string VehicleStore::Path() const {
  return ProgramFile(std::string(kStoreFileName));
}

std::string VehicleStore::ExportPath(std::string_view name) const {
  return ProgramFile(ExportFileName(name));
}

std::vector<std::string> VehicleStore::ListVehicles() const {
  return IniFile(Path()).SectionKeys(kListSection);
}

bool VehicleStore::Contains(std::string_view name) const {
  const IniFile file(Path());
  return file.ValueExists(kListSection, name) || file.SectionExists(name);
}

void VehicleStore::LoadVehicle(std::string_view name, ProfileFields& profile) const {
  LoadFields(IniFile(Path()), name, profile);
}

Outcome VehicleStore::SaveVehicle(const ProfileFields& profile,
                                  const std::optional<StoredCurve>& curve) {
  const std::string name = profile.Name();
  if (auto refusal = NameRefusal(name))
    return {false, std::move(*refusal)};
  IniFile file(Path());
  {
    IniFile::Batch batch(file);
    file.WriteString(kListSection, name, name);
    WriteFields(file, name, profile);
    if (curve)
      WriteCurve(file, name, *curve);
  }
  return {true, {}};
}

Outcome VehicleStore::DeleteVehicle(std::string_view name) {
  if (name.empty())
    return {false, std::string(kNothingSelectedMessage)};
  if (IsListSection(name)) {
    return {false, "Suppression impossible : « " + std::string(name) +
                       " » est la section qui liste les véhicules."};
  }
  IniFile file(Path());
  {
    IniFile::Batch batch(file);
    file.DeleteKey(kListSection, name);
    file.EraseSection(name);
  }
  return {true, {}};
}

Outcome VehicleStore::ExportVehicle(const ProfileFields& profile) {
  const std::string name = profile.Name();
  if (name.empty())
    return {};
  if (auto refusal = NameRefusal(name))
    return {false, std::move(*refusal)};
  const std::string path = ExportPath(name);
  if (path == Path()) {
    return {false, "Export impossible : le fichier d'export de « " + name +
                       " » serait le fichier des véhicules lui-même."};
  }
  const std::optional<StoredCurve> curve = ReadStoredCurve(name);
  IniFile file(path);
  {
    IniFile::Batch batch(file);
    file.WriteString(kExportSection, kExportNameKey, name);
    WriteFields(file, name, profile);
    if (curve)
      WriteCurve(file, name, *curve);
  }
  return {true, {}};
}

ImportResult VehicleStore::ImportVehicle(const std::string& path, ProfileFields& profile) {
  const IniFile file(path);
  ImportResult result;
  result.name = file.ReadString(kExportSection, kExportNameKey, kImportErrorName);
  profile.SetName(result.name);
  result.curve = ReadCurve(file, result.name, trace_);
  LoadFields(file, result.name, profile);
  if (result.name != kImportErrorName) {
    result.attempted = true;
    result.save = SaveVehicle(profile, result.curve);
  }
  return result;
}

std::optional<StoredCurve> VehicleStore::ReadStoredCurve(std::string_view name) const {
  return ReadCurve(IniFile(Path()), name, trace_);
}

void VehicleStore::WriteStoredCurve(std::string_view name, const StoredCurve& curve) {
  if (auto refusal = NameRefusal(name))
    throw Error(*refusal);
  IniFile file(Path());
  WriteCurve(file, name, curve);
}

}  // namespace kelvra::vehicle
