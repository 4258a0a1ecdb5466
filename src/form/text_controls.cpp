#include "form/text_controls.h"

namespace kelvra::form {

Label::Label(Window& owner, std::string name, Container* parent, std::string_view caption)
    : Control(owner, std::move(name), ControlKind::Label, parent) {
  SetText(caption);
}

Edit::Edit(Window& owner, std::string name, Container* parent, std::string_view text)
    : Control(owner, std::move(name), ControlKind::Edit, parent) {
  // The initial text is part of the window's description: no change event for it.
  Control::SetText(text);
}

void Edit::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly)
    return;
  readOnly_ = readOnly;
  Notify(Aspect::ReadOnly);
}

void Edit::TextChanged() {
  Raise(onChange);
}

Memo::Memo(Window& owner, std::string name, Container* parent)
    : Control(owner, std::move(name), ControlKind::Memo, parent) {}

std::string Memo::Text() const {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0)
      text += "\r\n";
    text += lines_[i];
  }
  return text;
}

void Memo::SetText(std::string_view text) {
  std::vector<std::string> lines;
  if (!text.empty()) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\r' || c == '\n') {
        lines.push_back(std::move(line));
        line.clear();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
          ++i;
      } else {
        line += c;
      }
    }
    // A final line break ends the last line rather than opening an empty one.
    const char last = text.back();
    if (last != '\r' && last != '\n')
      lines.push_back(std::move(line));
  }
  SetLines(std::move(lines));
}

void Memo::SetLines(std::vector<std::string> lines) {
  if (lines == lines_)
    return;
  lines_ = std::move(lines);
  Notify(Aspect::Lines);
  Raise(onChange);
}

void Memo::AddLine(std::string_view line) {
  lines_.emplace_back(line);
  Notify(Aspect::LineAdded);
  Raise(onChange);
}

void Memo::DeleteLine(int index) {
  if (index < 0 || index >= LineCount())
    return;
  lines_.erase(lines_.begin() + index);
  Notify(Aspect::Lines);
  Raise(onChange);
}

void Memo::Clear() {
  SetLines({});
}

void Memo::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly)
    return;
  readOnly_ = readOnly;
  Notify(Aspect::ReadOnly);
}

}  // namespace kelvra::form
