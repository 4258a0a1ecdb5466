#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/control.h"

namespace kelvra::form {

class Label : public Control {
 public:
  Label(Window& owner, std::string name, Container* parent, std::string_view caption = {});
};

// A one-line field. Its change event fires whenever its text changes, by the user or the logic.
class Edit : public Control {
 public:
  Edit(Window& owner, std::string name, Container* parent, std::string_view text = {});

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  void Clear() { SetText(""); }

 protected:
  void TextChanged() override;

 private:
  bool readOnly_ = false;
};

// A multi-line text held as lines. Its change event fires whenever its lines change.
class Memo : public Control {
 public:
  Memo(Window& owner, std::string name, Container* parent);

  const std::vector<std::string>& Lines() const { return lines_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // The lines joined with CR LF.
  std::string Text() const override;
  // Splits at CR LF, LF or CR.
  void SetText(std::string_view text) override;
  void SetLines(std::vector<std::string> lines);
  void AddLine(std::string_view line);
  void DeleteLine(int index);
  void Clear();

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);

 private:
  std::vector<std::string> lines_;
  bool readOnly_ = false;
};

}  // namespace kelvra::form
