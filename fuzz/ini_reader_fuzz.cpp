// The INI reader: any file read, every section and key listed and read back, then one write whose
// file must read back with the same content.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "common/ini_file.h"

using namespace kelvra;

namespace {

std::string TempPath(const char* what) {
  const char* dir = getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/kelvra_fuzz_" + what + "_" +
         std::to_string(getpid()) + ".ini";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = TempPath("ini");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  IniFile ini(path);
  for (const std::string& section : ini.Sections()) {
    (void)ini.SectionExists(section);
    for (const std::string& key : ini.SectionKeys(section)) {
      (void)ini.ValueExists(section, key);
      (void)ini.ReadString(section, key, "");
      (void)ini.ReadInteger(section, key, -1);
      (void)ini.ReadFloat(section, key, -1);
      (void)ini.ReadBool(section, key, true);
    }
  }
  // A write keeps every other line: the file read again gives the same text.
  ini.WriteString("kelvra-fuzz", "cle", "valeur");
  const std::string written = ini.ToText();
  IniFile again(path);
  if (again.ToText() != written)
    __builtin_trap();
  if (again.ReadString("kelvra-fuzz", "cle", "") != "valeur")
    __builtin_trap();
  return 0;
}
