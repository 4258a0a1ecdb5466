#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostics_station.h"
#include "support/link_rig.h"

namespace kelvra::testing {

// The live diagnostics on an ELM327 link that is online, with a manual clock and a fake port.
class DiagnosticsRig {
 public:
  DiagnosticsRig() {
    link.ConnectElmOnline();
    link.dataTrace.Clear();
    link.port.ClearWrites();
  }

  // One answer from the interface ("41 0C 0F A0"), handled as the program handles serial input:
  // an error that ends the handling is shown and the program goes on.
  void Answer(std::string_view data) {
    link.env.services.Dispatch([&] { link.Answer(std::string(data) + "\r\r>"); });
  }
  void Click(form::Control& control) { control.UserClick(); }
  void ToggleRows(std::initializer_list<int> rows) {
    for (int row : rows)
      pidList.UserToggleItem(row);
  }
  std::vector<int> CheckedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < pidList.Count(); ++row) {
      if (pidList.Checked(row))
        rows.push_back(row);
    }
    return rows;
  }
  // The commands sent, as the data trace records them, without their CR.
  std::vector<std::string> Requests() const {
    std::vector<std::string> sent;
    for (const std::string& line : link.dataTrace.Lines()) {
      const auto at = line.find(">>");
      if (at == std::string::npos)
        continue;
      std::string command = line.substr(at + 2);
      while (!command.empty() && (command.back() == '\r' || command.back() == '\n'))
        command.pop_back();
      sent.push_back(command);
    }
    return sent;
  }
  std::string Display(int row) const { return diag.panel.display.displays[row]->Caption(); }

  LinkRig link;
  diagnostics::DiagnosticsStation diag{link.station};
  link::SharedState& state = link.state;
  form::CheckListBox& pidList = diag.panel.display.pidList;
  form::Button& visualise = diag.panel.display.visualise;
  diagnostics::LiveModeControls& modes = diag.panel.modes;
  diagnostics::PerformanceControls& perf = diag.panel.performance;
  form::ScriptedDialogs& dialogs = link.env.dialogs;
};

}  // namespace kelvra::testing
