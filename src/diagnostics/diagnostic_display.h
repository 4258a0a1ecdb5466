#pragma once

#include <array>
#include <functional>
#include <string>

#include "diagnostics/diag_log.h"
#include "diagnostics/diagnostics_controls.h"
#include "diagnostics/pid_rotation.h"
#include "form/services.h"
#include "link/link_engine.h"

namespace kelvra::diagnostics {

// The live display of the tab "Diagnostique": the rotation over the checked rows (one request per
// answer), the display lines and the diagnostic log.
class DiagnosticDisplay {
 public:
  DiagnosticDisplay(link::LinkEngine& engine, const DisplayControls& controls,
                    form::Timer& accTimer, form::Services& services);

  // After each answer handled while the visualisation is on, and when it starts: the next
  // request, the display, the log line.
  void DiagnosticStep();
  void ToggleVisualisation();  // btVisDiag
  void RowSelectionChanged();  // a click in clbPid
  void OpenDiagLog();          // cbLogDiag checked
  void CloseDiagLog();         // cbLogDiag unchecked
  // A log at a path of the caller's choosing (kelvra-cli poll --log): the box is checked and the
  // edit shows the path. Throws FileError when the file cannot be created.
  void OpenDiagLogAt(const std::string& path);

  int PollCursor() const { return pollCursor_; }
  bool Answered(int row) const { return answered_[row]; }
  const DiagLog& Log() const { return log_; }

  // The acceleration readout's previous sample, forgotten with lastSpeed.
  std::function<void()> forgetSpeedSamples;
  // A log line that could not be written: the log is closed and its box unchecked; the message
  // is for the user.
  std::function<void(const std::string& message)> onLogError;
  // After each step that decoded a row: the row, its display line already refreshed.
  std::function<void(int row)> onDecoded;

 private:
  void ForgetSpeedSamples();
  void Refresh();
  void WriteLogLine(int row);

  link::LinkEngine& engine_;
  link::SharedState& state_;
  const DisplayControls& controls_;
  form::Timer& accTimer_;
  form::Services& services_;
  int pollCursor_ = -1;
  std::array<bool, kPidCount> answered_{};
  DiagLog log_;
};

}  // namespace kelvra::diagnostics
