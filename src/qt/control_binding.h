#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "form/control.h"

namespace kelvra::qt {

inline QString ToQ(const std::string& text) {
  return QString::fromStdString(text);
}

// Finds the widget made for a control (a page's widget for a page control, say).
using WidgetLookup = std::function<QWidget*(const form::Control*)>;

// Keeps one widget and one control in step: the logic's changes reach the widget with the widget's
// signals blocked, and the user's actions on the widget reach the control, which raises its events.
class ControlBinding : public form::ControlObserver {
 public:
  ControlBinding(form::Control& control, QWidget* widget);
  ~ControlBinding() override;
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  form::Control& Control() const { return control_; }
  QWidget* Widget() const { return widget_; }

  // Brings the whole widget up to date (after creation).
  void SyncAll();
  void ControlChanged(form::Control& control, form::Aspect aspect) override;

 protected:
  // The aspects proper to the kind; the common ones (enabled, visible, bounds, font) are done here.
  virtual void Update(form::Aspect aspect) = 0;
  virtual void UpdateVisible();
  void UpdateBounds();
  void UpdateFont();
  // The receiver of the widget's signals: the connections end with the binding.
  QObject* Context() { return &context_; }

 private:
  QObject context_;
  form::Control& control_;
  QWidget* widget_;
};

// The binding, and its widget as a child of parent, for any visual control; null for the others.
std::unique_ptr<ControlBinding> MakeBinding(form::Control& control, QWidget* parent,
                                            const WidgetLookup& lookup);

}  // namespace kelvra::qt
