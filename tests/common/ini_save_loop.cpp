// Saves an INI file over and over, each save a new generation written in one batch: the test
// kills it in the middle of a save and checks what is left on disk.
#include <string>

#include "common/ini_file.h"

int main(int argc, char** argv) {
  if (argc != 3)
    return 2;
  const std::string path = argv[1];
  const int sections = std::stoi(argv[2]);
  for (long generation = 1;; ++generation) {
    kelvra::IniFile ini(path);
    kelvra::IniFile::Batch batch(ini);
    const std::string value = std::to_string(generation);
    for (int i = 0; i < sections; ++i) {
      const std::string section = "Vehicule " + std::to_string(i);
      ini.WriteString(section, "nom", section);
      ini.WriteString(section, "generation", value);
      ini.WriteString(section, "commentaire",
                      std::string(200, static_cast<char>('a' + generation % 26)));
    }
  }
}
