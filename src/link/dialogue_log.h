#pragma once

#include <string>
#include <string_view>

#include "form/services.h"
#include "form/text_controls.h"

namespace kelvra::link {

// The two traces of the serial dialogue: the state trace (one message per event of the link and
// the recorder) and the data trace (every command sent and response received, time-stamped).
class DialogueLog {
 public:
  static constexpr std::string_view kStateFirstLine = "Kelvra >> suivi des états";
  static constexpr std::string_view kDataFirstLine = "#Kelvra >> suivi des données";
  static constexpr int kMaxLines = 300;

  DialogueLog(form::Memo& stateTrace, form::Memo& dataTrace, const form::Clock& clock);

  void State(std::string_view text);
  // time of day, ">>", the command as given (with its CR)
  void Sent(std::string_view command);
  // time of day, "<<", the response as received (raw bytes, shown as the box renders them)
  void Received(std::string_view raw);
  void Note(std::string_view text);
  // A trace past 300 lines is cleared completely, its first line included.
  void TrimBoth();
  // The receive buffer as it stands, unchanged, as one line of the data trace.
  void ShowBuffer(std::string_view buffer);

  // The first free name log1.log, log2.log, ... in the folder.
  static std::string NextLogFile(const std::string& folder);
  // Both traces as text (state trace, then data trace), Windows-1252 with CR LF; throws FileError.
  void Save(const std::string& path) const;

  // The time of day as a fraction of a day in the general format ("0,5" at noon).
  std::string TimeOfDayText() const;

  form::Memo& StateTrace() const { return state_; }
  form::Memo& DataTrace() const { return data_; }

 private:
  form::Memo& state_;
  form::Memo& data_;
  const form::Clock& clock_;
};

}  // namespace kelvra::link
