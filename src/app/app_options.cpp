#include "app/app_options.h"

#include <stdexcept>

namespace kelvra::app {

AppOptions ParseAppOptions(const std::vector<std::string>& args) {
  AppOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--data-dir") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        throw std::invalid_argument("Option --data-dir : dossier manquant");
      }
      options.dataDir = args[++i];
    } else if (arg.rfind("--data-dir=", 0) == 0 && arg.size() > 11) {
      options.dataDir = arg.substr(11);
    } else if (arg == "--debug") {
      options.debug = true;
    } else if (arg == "--exit-after-paint") {
      options.exitAfterPaint = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg.rfind("-", 0) == 0 && arg != "-") {
      // Qt's own options (-platform, -style...) were taken out before this.
      throw std::invalid_argument("Option inconnue : " + arg);
    }
  }
  return options;
}

const char* AppUsage() {
  return "Usage : kelvra [--data-dir DOSSIER] [--debug]\n"
         "  --data-dir DOSSIER  dossier de vehicules.ini, des exports et des journaux\n"
         "                      (sinon KELVRA_DATA_DIR, sinon le dossier du programme)\n"
         "  --debug             affiche les commandes de mise au point\n";
}

}  // namespace kelvra::app
