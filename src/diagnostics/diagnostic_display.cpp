#include "diagnostics/diagnostic_display.h"

#include "common/errors.h"
#include "common/program_folder.h"
#include "diagnostics/value_text.h"

namespace kelvra::diagnostics {

namespace {

constexpr int kSpeedRow = 9;

}  // namespace

DiagnosticDisplay::DiagnosticDisplay(link::LinkEngine& engine, const DisplayControls& controls,
                                     form::Timer& accTimer, form::Services& services)
    : engine_(engine),
      state_(engine.State()),
      controls_(controls),
      accTimer_(accTimer),
      services_(services) {}

void DiagnosticDisplay::DiagnosticStep() {
  if (state_.decodedIndex >= 0 && state_.decodedIndex < kPidCount)
    answered_[state_.decodedIndex] = true;
  // Requests go out only while the visualisation is on: an answer that stopped it (the end of a
  // timed test) still shows and logs its value.
  if (state_.diagDisplayOn) {
    RowSelection selected{};
    for (int row = 0; row < kPidCount && row < controls_.pidList.Count(); ++row)
      selected[row] = controls_.pidList.Checked(row);
    const int next = NextPolledRow(selected, pollCursor_);
    if (next >= 0) {
      engine_.SendCommand(std::string(PidTable()[next].code) + "\r");
      // A lost answer is asked for again instead of freezing the rotation.
      engine_.ExpectAnswer();
      pollCursor_ = next;
    }
  }
  Refresh();
  if (controls_.logBox.Checked() && state_.decodedIndex >= 0)
    WriteLogLine(state_.decodedIndex);
  if (onDecoded && state_.decodedIndex >= 0)
    onDecoded(state_.decodedIndex);
}

void DiagnosticDisplay::Refresh() {
  const auto& table = PidTable();
  for (int row = 0; row < kPidCount; ++row) {
    const std::optional<float> value =
        answered_[row] ? std::optional<float>(state_.values[row]) : std::nullopt;
    controls_.displays[row]->SetCaption(DisplayLine(table[row].label, value));
  }
}

void DiagnosticDisplay::WriteLogLine(int row) {
  if (!log_.IsOpen())
    return;
  try {
    log_.Write(services_.clock.Now(), PidTable()[row].code, ValueText(state_.values[row]));
  } catch (const FileError&) {
    const std::string path = log_.Path();
    log_.Close();
    controls_.logBox.SetChecked(false);
    if (onLogError)
      onLogError("Écriture impossible dans le journal " + path +
                 " : l'enregistrement des données est arrêté.");
  }
}

void DiagnosticDisplay::ToggleVisualisation() {
  RowSelectionChanged();
  if (state_.diagDisplayOn) {
    state_.diagDisplayOn = false;
    controls_.visualise.SetCaption("Activer visualisation");
    state_.auxRequest = 0;
    engine_.StopAnswerTimeout();
  } else {
    state_.diagDisplayOn = true;
    controls_.visualise.SetCaption("Désactiver");
    DiagnosticStep();
  }
  ForgetSpeedSamples();
}

void DiagnosticDisplay::RowSelectionChanged() {
  const bool speedPolled =
      controls_.pidList.Count() > kSpeedRow && controls_.pidList.Checked(kSpeedRow);
  if (!speedPolled)
    ForgetSpeedSamples();
  accTimer_.SetEnabled(speedPolled);
}

void DiagnosticDisplay::ForgetSpeedSamples() {
  state_.lastSpeed = -1;
  if (forgetSpeedSamples)
    forgetSpeedSamples();
}

void DiagnosticDisplay::OpenDiagLog() {
  const std::string path = NextDiagLogFile(ProgramFolder());
  controls_.logName.SetText(path);
  try {
    log_.Open(controls_.logName.Text());
  } catch (const FileError&) {
    // Said at once rather than losing every line silently.
    controls_.logBox.SetChecked(false);
    services_.dialogs.ShowMessage("Impossible de créer le fichier " + controls_.logName.Text() +
                                  " : les données acquises ne sont pas enregistrées.");
  }
}

void DiagnosticDisplay::OpenDiagLogAt(const std::string& path) {
  controls_.logName.SetText(path);
  log_.Open(path);
  controls_.logBox.SetChecked(true);
}

void DiagnosticDisplay::CloseDiagLog() {
  log_.Close();
}

}  // namespace kelvra::diagnostics
