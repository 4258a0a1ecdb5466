#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "common/version.h"

int main(int argc, char* argv[]) {
  // Copied before Qt sees them: the arguments reach the commands exactly as typed.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // Serial ports and timers of later commands need an application object and its event loop.
  // A picture's texts need Qt GUI's fonts: drawn off screen, no display needed.
  std::unique_ptr<QCoreApplication> application;
  if (std::find(arguments.begin(), arguments.end(), "--png") != arguments.end()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName("kelvra-cli");
  QCoreApplication::setApplicationVersion(kelvra::kVersion);
  return kelvra::cli::RunCommandLine(arguments, std::cout, std::cerr);
}
