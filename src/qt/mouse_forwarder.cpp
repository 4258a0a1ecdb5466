#include <QEvent>
#include <QMouseEvent>

#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

form::MouseEvent ToFormEvent(const QMouseEvent& event) {
  form::MouseEvent out;
  // A move has no button of its own: report the one held down.
  const Qt::MouseButtons buttons =
      event.button() != Qt::NoButton ? event.button() : event.buttons();
  if (buttons.testFlag(Qt::RightButton) && !buttons.testFlag(Qt::LeftButton)) {
    out.button = form::MouseButton::Right;
  } else if (buttons.testFlag(Qt::MiddleButton) && !buttons.testFlag(Qt::LeftButton)) {
    out.button = form::MouseButton::Middle;
  }
  const QPoint pos = event.position().toPoint();
  out.x = pos.x();
  out.y = pos.y();
  out.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  out.control = event.modifiers().testFlag(Qt::ControlModifier);
  return out;
}

class MouseForwarder : public QObject {
 public:
  MouseForwarder(QWidget* widget, form::Control& control) : QObject(widget), control_(control) {
    widget->installEventFilter(this);
    widget->setMouseTracking(true);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        control_.UserMouseDown(ToFormEvent(*static_cast<QMouseEvent*>(event)));
        break;
      case QEvent::MouseMove:
        control_.UserMouseMove(ToFormEvent(*static_cast<QMouseEvent*>(event)));
        break;
      case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        control_.UserMouseUp(ToFormEvent(*mouse));
        // A release over the control completes a click, after the release itself.
        auto* widget = static_cast<QWidget*>(parent());
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
          control_.UserClick();
        }
        break;
      }
      case QEvent::MouseButtonDblClick:
        control_.UserDoubleClick();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  form::Control& control_;
};

}  // namespace

void ForwardMouse(QWidget* widget, form::Control& control) {
  new MouseForwarder(widget, control);
}

}  // namespace kelvra::qt
