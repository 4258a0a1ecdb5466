#include "common/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kelvra {

namespace {

std::string pinnedFolder;

}  // namespace

std::string ProgramFolder() {
  if (!pinnedFolder.empty())
    return pinnedFolder;
  const char* fromEnvironment = std::getenv("KELVRA_DATA_DIR");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0')
    return fromEnvironment;
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && executable.has_parent_path())
    return executable.parent_path().string();
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string(".") : current.string();
}

void SetProgramFolder(const std::string& folder) {
  pinnedFolder = folder;
}

std::string ProgramFile(const std::string& fileName) {
  std::string folder = ProgramFolder();
  if (folder.empty())
    return fileName;
  if (folder.back() != '/')
    folder += '/';
  return folder + fileName;
}

}  // namespace kelvra
