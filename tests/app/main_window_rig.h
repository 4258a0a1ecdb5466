#pragma once

#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "common/program_folder.h"
#include "form/manual_services.h"
#include "support/fake_serial_port.h"

namespace kelvra::app {

// The main window's headless form on a manual clock, in a folder of its own.
struct MainWindowRig {
  MainWindowRig() {
    std::filesystem::create_directories(folder);
    SetProgramFolder(folder.string());
    window.Start({});
  }
  ~MainWindowRig() {
    SetProgramFolder("");
    std::filesystem::remove_all(folder);
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("kelvra-app-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
  form::ManualServices env;
  testing::FakeSerialPort port;
  testing::FakeSerialPort altPort;
  MainWindow window{env.services, port, altPort};
};

}  // namespace kelvra::app
