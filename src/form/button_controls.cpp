#include "form/button_controls.h"

#include "form/window.h"

namespace kelvra::form {

Button::Button(Window& owner, std::string name, Container* parent, std::string_view caption)
    : Control(owner, std::move(name), ControlKind::Button, parent) {
  SetText(caption);
}

CheckBox::CheckBox(Window& owner, std::string name, Container* parent, std::string_view caption,
                   bool checked)
    : Control(owner, std::move(name), ControlKind::CheckBox, parent), checked_(checked) {
  SetText(caption);
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked)
    return;
  checked_ = checked;
  Notify(Aspect::Checked);
  Raise(onClick);
}

void CheckBox::UserToggle() {
  if (Enabled())
    SetChecked(!checked_);
}

RadioButton::RadioButton(Window& owner, std::string name, Container* parent,
                         std::string_view caption, bool checked, std::string group)
    : Control(owner, std::move(name), ControlKind::RadioButton, parent), group_(std::move(group)) {
  SetText(caption);
  // Initial state from the window's description: siblings are set by their own descriptions.
  checked_ = checked;
}

void RadioButton::Store(bool checked) {
  if (checked_ == checked)
    return;
  checked_ = checked;
  Notify(Aspect::Checked);
}

void RadioButton::SetChecked(bool checked) {
  if (checked_ == checked)
    return;
  if (!checked) {
    Store(false);
    return;
  }
  if (Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      auto* radio = dynamic_cast<RadioButton*>(sibling);
      if (radio != nullptr && radio != this && radio->group_ == group_)
        radio->Store(false);
    }
  }
  Store(true);
  Raise(onClick);
}

void RadioButton::UserSelect() {
  if (Enabled())
    SetChecked(true);
}

}  // namespace kelvra::form
