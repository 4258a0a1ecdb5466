#include "vehicle/vehicle_names.h"

#include <algorithm>

#include "common/windows1252.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_messages.h"

namespace kelvra::vehicle {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool HasForbiddenCharacter(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '[' || c == ']' || c == '=';
  });
}

bool WritableInWindows1252(std::string_view name) {
  return Cp1252ToUtf8(Utf8ToCp1252(name)) == name;
}

}  // namespace

std::optional<std::string> NameRefusal(std::string_view name) {
  if (name.empty())
    return std::string(kNoNameMessage);
  if (IsListSection(name) || EqualsIgnoreCase(name, kExportSection)) {
    return "Données non enregistrées, « " + std::string(name) +
           " » est réservé au fichier des véhicules, veuillez choisir un autre nom de véhicule.";
  }
  if (HasForbiddenCharacter(name) || name.front() == ';' || IsBlank(name.front()) ||
      IsBlank(name.back()) || !WritableInWindows1252(name)) {
    return "Données non enregistrées, le nom de véhicule « " + std::string(name) +
           " » n'est pas permis : il ne peut contenir ni [ ni ] ni =, ni caractère hors de "
           "l'alphabet latin, ni commencer par « ; », ni commencer ou finir par un espace.";
  }
  return std::nullopt;
}

bool IsListSection(std::string_view name) {
  return EqualsIgnoreCase(name, kListSection);
}

std::string ExportFileName(std::string_view name) {
  std::string fileName(name);
  std::replace(fileName.begin(), fileName.end(), '/', '_');
  return fileName + std::string(kExportExtension);
}

}  // namespace kelvra::vehicle
