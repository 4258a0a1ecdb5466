#include "qt/control_binding.h"

#include <QPalette>
#include <QSignalBlocker>

#include "qt/display_list_painter.h"

namespace kelvra::qt {

ControlBinding::ControlBinding(form::Control& control, QWidget* widget)
    : control_(control), widget_(widget) {
  widget_->setObjectName(ToQ(control.Name()));
  control_.AddObserver(this);
}

ControlBinding::~ControlBinding() {
  control_.RemoveObserver(this);
}

void ControlBinding::SyncAll() {
  for (form::Aspect aspect :
       {form::Aspect::Text, form::Aspect::Font, form::Aspect::Bounds, form::Aspect::Enabled,
        form::Aspect::ReadOnly, form::Aspect::Items, form::Aspect::Lines, form::Aspect::Checked,
        form::Aspect::Selection, form::Aspect::Range, form::Aspect::Position, form::Aspect::Panels,
        form::Aspect::Drawing, form::Aspect::Chart, form::Aspect::ActivePage}) {
    ControlChanged(control_, aspect);
  }
  UpdateVisible();
}

void ControlBinding::ControlChanged(form::Control&, form::Aspect aspect) {
  const QSignalBlocker blocker(widget_);
  switch (aspect) {
    case form::Aspect::Enabled:
      widget_->setEnabled(control_.Enabled());
      break;
    case form::Aspect::Visible:
      UpdateVisible();
      break;
    case form::Aspect::Bounds:
      UpdateBounds();
      break;
    case form::Aspect::Font:
      UpdateFont();
      break;
    default:
      break;
  }
  Update(aspect);
  // A control without a size follows its text.
  if (aspect == form::Aspect::Text && control_.GetBounds().width <= 0)
    UpdateBounds();
}

void ControlBinding::UpdateVisible() {
  widget_->setVisible(control_.Visible());
}

void ControlBinding::UpdateBounds() {
  const form::Bounds& b = control_.GetBounds();
  if (b.width > 0 && b.height > 0) {
    widget_->setGeometry(b.left, b.top, b.width, b.height);
  } else {
    widget_->adjustSize();
    widget_->move(b.left, b.top);
  }
}

void ControlBinding::UpdateFont() {
  const form::FontStyle& style = control_.Font();
  QFont font = widget_->font();
  font.setBold(style.bold);
  font.setPointSize(std::max(1, style.size));
  widget_->setFont(font);
  QPalette palette = widget_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(style.color));
  palette.setColor(QPalette::Text, ToQColor(style.color));
  widget_->setPalette(palette);
}

}  // namespace kelvra::qt
