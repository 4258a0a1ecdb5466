#pragma once

#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

#include "form/window.h"
#include "qt/control_binding.h"

namespace kelvra::qt {

// The on-screen window of a headless window: one widget per visual control, placed at the
// control's bounds inside its parent, kept in step both ways. The headless window must outlive
// its view.
class WindowView : public QWidget, public form::ControlObserver {
 public:
  explicit WindowView(form::Window& window, QWidget* parent = nullptr);
  ~WindowView() override;

  form::Window& Window() const { return window_; }
  // The widget made for a control, or null for non-visual ones.
  QWidget* WidgetFor(const form::Control* control) const;
  QWidget* WidgetFor(std::string_view name) const { return WidgetFor(window_.Find(name)); }

  void ControlChanged(form::Control& control, form::Aspect aspect) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build(const form::Container& container, QWidget* parentWidget);

  form::Window& window_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unordered_map<const form::Control*, QWidget*> widgets_;
};

}  // namespace kelvra::qt
