#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvra::app {

// What the command line of kelvra asks for.
struct AppOptions {
  std::optional<std::string> dataDir;
  bool debug = false;           // shows the hidden debug controls
  bool exitAfterPaint = false;  // quits once the main window is painted (start-up benchmark)
  bool help = false;
};

// Throws std::invalid_argument with a message for the user on an unknown or incomplete option.
AppOptions ParseAppOptions(const std::vector<std::string>& args);

const char* AppUsage();

}  // namespace kelvra::app
