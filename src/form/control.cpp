#include "form/control.h"

#include <algorithm>

#include "form/window.h"

namespace kelvra::form {

Control::Control(Window& owner, std::string name, ControlKind kind, Container* parent)
    : owner_(owner), name_(std::move(name)), kind_(kind), parent_(parent) {}

Control::~Control() = default;

void Control::SetText(std::string_view text) {
  if (text_ == text)
    return;
  text_ = std::string(text);
  Notify(Aspect::Text);
  TextChanged();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled)
    return;
  enabled_ = enabled;
  Notify(Aspect::Enabled);
  EnabledChanged();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible)
    return;
  visible_ = visible;
  Notify(Aspect::Visible);
  VisibleChanged();
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_)
      return false;
  }
  return true;
}

void Control::SetBounds(const Bounds& bounds) {
  if (bounds_ == bounds)
    return;
  bounds_ = bounds;
  Notify(Aspect::Bounds);
}

void Control::SetFont(const FontStyle& font) {
  if (font_ == font)
    return;
  font_ = font;
  Notify(Aspect::Font);
}

void Control::AddObserver(ControlObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void Control::RemoveObserver(ControlObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Control::Notify(Aspect aspect) {
  // A copy: an observer may detach itself while being told.
  const auto observers = observers_;
  for (ControlObserver* observer : observers)
    observer->ControlChanged(*this, aspect);
}

bool Control::Raise(const Handler& handler) {
  if (!handler)
    return true;
  return owner_.services().Dispatch([&] { handler(*this); });
}

bool Control::RaiseMouse(const MouseHandler& handler, const MouseEvent& event) {
  if (!handler)
    return true;
  return owner_.services().Dispatch([&] { handler(*this, event); });
}

void Control::UserClick() {
  if (enabled_)
    Raise(onClick);
}

void Control::UserDoubleClick() {
  if (enabled_)
    Raise(onDoubleClick);
}

void Control::UserMouseDown(const MouseEvent& event) {
  if (enabled_)
    RaiseMouse(onMouseDown, event);
}

void Control::UserMouseMove(const MouseEvent& event) {
  if (enabled_)
    RaiseMouse(onMouseMove, event);
}

void Control::UserMouseUp(const MouseEvent& event) {
  if (enabled_)
    RaiseMouse(onMouseUp, event);
}

Panel::Panel(Window& owner, std::string name, Container* parent, std::string_view caption,
             bool groupBox)
    : Container(owner, std::move(name), groupBox ? ControlKind::GroupBox : ControlKind::Panel,
                parent) {
  SetText(caption);
}

Bevel::Bevel(Window& owner, std::string name, Container* parent)
    : Control(owner, std::move(name), ControlKind::Bevel, parent) {}

}  // namespace kelvra::form
