#include "link/dialogue_log.h"

#include <filesystem>
#include <fstream>

#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"

namespace kelvra::link {

DialogueLog::DialogueLog(form::Memo& stateTrace, form::Memo& dataTrace, const form::Clock& clock)
    : state_(stateTrace), data_(dataTrace), clock_(clock) {}

std::string DialogueLog::TimeOfDayText() const {
  return FormatGeneral(TimeOfDay(clock_.Now()));
}

void DialogueLog::State(std::string_view text) {
  state_.AddLine(text);
}

void DialogueLog::Sent(std::string_view command) {
  data_.AddLine(TimeOfDayText() + ">>" + std::string(command));
}

void DialogueLog::Received(std::string_view raw) {
  // Binary frames hold bytes of any value: show them as single-byte characters.
  data_.AddLine(TimeOfDayText() + "<<" + Cp1252ToUtf8(raw));
}

void DialogueLog::Note(std::string_view text) {
  data_.AddLine(text);
}

void DialogueLog::TrimBoth() {
  if (state_.LineCount() > kMaxLines)
    state_.Clear();
  if (data_.LineCount() > kMaxLines)
    data_.Clear();
}

void DialogueLog::ShowBuffer(std::string_view buffer) {
  data_.AddLine(Cp1252ToUtf8(buffer));
}

std::string DialogueLog::NextLogFile(const std::string& folder) {
  for (int n = 1;; ++n) {
    const std::filesystem::path path =
        std::filesystem::path(folder) / ("log" + std::to_string(n) + ".log");
    std::error_code error;
    if (!std::filesystem::exists(path, error))
      return path.string();
  }
}

void DialogueLog::Save(const std::string& path) const {
  std::string text;
  for (const form::Memo* memo : {&state_, &data_}) {
    for (const std::string& line : memo->Lines())
      text += Utf8ToCp1252(line) + "\r\n";
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  if (!out)
    throw FileError("Unable to write to " + path);
}

}  // namespace kelvra::link
