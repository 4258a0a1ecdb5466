#pragma once

#include <string>
#include <string_view>

#include "form/control.h"

namespace kelvra::form {

class Button : public Control {
 public:
  Button(Window& owner, std::string name, Container* parent, std::string_view caption = {});
};

// Checking or unchecking, by the user or the logic, raises the click event, as the platform does.
class CheckBox : public Control {
 public:
  CheckBox(Window& owner, std::string name, Container* parent, std::string_view caption = {},
           bool checked = false);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // The user toggles the box.
  void UserToggle();

 private:
  bool checked_ = false;
};

// Radio buttons with the same group and parent exclude each other. Becoming checked raises the
// click event.
class RadioButton : public Control {
 public:
  RadioButton(Window& owner, std::string name, Container* parent, std::string_view caption = {},
              bool checked = false, std::string group = {});

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  const std::string& Group() const { return group_; }
  // The user picks this button.
  void UserSelect();

 private:
  void Store(bool checked);

  bool checked_ = false;
  std::string group_;
};

}  // namespace kelvra::form
