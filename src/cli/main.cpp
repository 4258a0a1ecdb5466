#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "common/version.h"

int main(int argc, char* argv[]) {
  // Copied before Qt sees them: the arguments reach the commands exactly as typed.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // Serial ports and timers of later commands need an application object and its event loop.
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName("kelvra-cli");
  QCoreApplication::setApplicationVersion(kelvra::kVersion);
  return kelvra::cli::RunCommandLine(arguments, std::cout, std::cerr);
}
