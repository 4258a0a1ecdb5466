#include "qt/window_view.h"

#include <QCloseEvent>

namespace kelvra::qt {

WindowView::WindowView(form::Window& window, QWidget* parent) : QWidget(parent), window_(window) {
  setObjectName(ToQ(window.Name()));
  setWindowTitle(ToQ(window.Text()));
  // A fixed single border: the client area has the size the window describes.
  setFixedSize(window.ClientWidth(), window.ClientHeight());
  widgets_[&window] = this;
  Build(window, this);
  window_.AddObserver(this);
  setVisible(window.Visible());
}

WindowView::~WindowView() {
  window_.RemoveObserver(this);
  // Bindings go first: the widgets they point at are deleted by QWidget's destructor after this.
  bindings_.clear();
}

QWidget* WindowView::WidgetFor(const form::Control* control) const {
  auto it = widgets_.find(control);
  return it == widgets_.end() ? nullptr : it->second;
}

void WindowView::Build(const form::Container& container, QWidget* parentWidget) {
  const WidgetLookup lookup = [this](const form::Control* c) { return WidgetFor(c); };
  for (form::Control* child : container.Children()) {
    auto binding = MakeBinding(*child, parentWidget, lookup);
    if (!binding)
      continue;
    QWidget* widget = binding->Widget();
    widgets_[child] = widget;
    ControlBinding* made = binding.get();
    bindings_.push_back(std::move(binding));
    if (auto* inner = dynamic_cast<const form::Container*>(child))
      Build(*inner, widget);
    // After the children: a page control can only show an active page that has its widget.
    made->SyncAll();
  }
}

void WindowView::ControlChanged(form::Control&, form::Aspect aspect) {
  if (aspect == form::Aspect::Text) {
    setWindowTitle(ToQ(window_.Text()));
  } else if (aspect == form::Aspect::Visible) {
    setVisible(window_.Visible());
  }
}

void WindowView::closeEvent(QCloseEvent* event) {
  if (window_.UserClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace kelvra::qt
