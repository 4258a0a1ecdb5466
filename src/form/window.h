#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/control.h"
#include "form/services.h"

namespace kelvra::form {

// A window: its caption, client size and every control on it, found by name. Controls are created
// with Add in creation order and live as long as the window.
class Window : public Container {
 public:
  Window(Services& services, std::string name, std::string_view caption, int clientWidth,
         int clientHeight);
  ~Window() override;

  Services& services() const { return services_; }

  int ClientWidth() const { return GetBounds().width; }
  int ClientHeight() const { return GetBounds().height; }

  // Creates a control; a null parent means the window itself.
  template <class T, class... Args>
  T& Add(std::string name, Container* parent = nullptr, Args&&... args) {
    Container* owner = parent != nullptr ? parent : this;
    auto control = std::make_unique<T>(*this, std::move(name), owner, std::forward<Args>(args)...);
    T& ref = *control;
    Adopt(std::move(control), owner);
    return ref;
  }

  Control* Find(std::string_view name) const;
  // The named control of the given type; a missing name or another type is a programming error.
  template <class T>
  T& Get(std::string_view name) const {
    auto* control = dynamic_cast<T*>(Find(name));
    if (control == nullptr)
      throw std::logic_error("no control " + std::string(name));
    return *control;
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // Shown windows are visible; closing one only hides it unless it ends the program.
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // The user closes the window: the close query may refuse; returns whether it closed.
  bool UserClose();

  // Asked before the window closes; returning false keeps it open.
  std::function<bool(Window&)> onCloseQuery;
  std::function<void(Window&)> onClose;

 private:
  void Adopt(std::unique_ptr<Control> control, Container* parent);

  Services& services_;
  std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace kelvra::form
