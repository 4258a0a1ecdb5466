#pragma once

#include <string>

namespace kelvra {

// The folder where vehicules.ini, exports and logs live: the folder set by --data-dir (through
// SetProgramFolder), else KELVRA_DATA_DIR, else the folder of the running executable.
std::string ProgramFolder();
// An empty folder drops the one set before.
void SetProgramFolder(const std::string& folder);
// Joins the program folder and a file name.
std::string ProgramFile(const std::string& fileName);

}  // namespace kelvra
