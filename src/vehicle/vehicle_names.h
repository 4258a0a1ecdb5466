#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvra::vehicle {

// Why a name cannot be stored, or nothing when it can. A name is a section name and a key of the
// list: it must not be empty, nor be one of the store's own sections ("liste", and "export" of the
// export files, in any letter case), nor hold what would read back as another line or another
// name: a character of [ ] =, a control character, a leading ";", a blank at either end, or a
// character that Windows-1252 cannot write.
std::optional<std::string> NameRefusal(std::string_view name);

// Whether deleting that name would erase one of the store's own sections.
bool IsListSection(std::string_view name);

// The export file of a vehicle: its name and ".ini". A "/" would name a folder, so it becomes "_".
std::string ExportFileName(std::string_view name);

}  // namespace kelvra::vehicle
