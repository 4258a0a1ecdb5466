#include "form/window.h"

namespace kelvra::form {

Window::Window(Services& services, std::string name, std::string_view caption, int clientWidth,
               int clientHeight)
    : Container(*this, std::move(name), ControlKind::Window, nullptr), services_(services) {
  SetText(caption);
  SetBounds(0, 0, clientWidth, clientHeight);
  SetVisible(false);
}

Window::~Window() {
  // Children go before the containers that hold them, the reverse of creation.
  while (!controls_.empty())
    controls_.pop_back();
}

Control* Window::Find(std::string_view name) const {
  if (name == Name())
    return const_cast<Window*>(this);
  for (const auto& control : controls_) {
    if (control->Name() == name)
      return control.get();
  }
  return nullptr;
}

void Window::Adopt(std::unique_ptr<Control> control, Container* parent) {
  if (Find(control->Name()) != nullptr) {
    throw std::logic_error("duplicate control " + control->Name());
  }
  parent->children_.push_back(control.get());
  controls_.push_back(std::move(control));
}

bool Window::UserClose() {
  // A close query that fails keeps the window open.
  bool allowed = false;
  services_.Dispatch([&] { allowed = onCloseQuery ? onCloseQuery(*this) : true; });
  if (!allowed)
    return false;
  services_.Dispatch([&] {
    if (onClose)
      onClose(*this);
  });
  Hide();
  return true;
}

}  // namespace kelvra::form
