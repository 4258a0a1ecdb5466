#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>

#include "form/page_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

class PanelBinding : public ControlBinding {
 public:
  PanelBinding(form::Panel& panel, QWidget* parent)
      : ControlBinding(panel, panel.Kind() == form::ControlKind::GroupBox
                                  ? static_cast<QWidget*>(new QGroupBox(parent))
                                  : static_cast<QWidget*>(new QFrame(parent))) {
    if (auto* frame = qobject_cast<QFrame*>(Widget())) {
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    }
    ForwardMouse(Widget(), panel);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect != form::Aspect::Text)
      return;
    if (auto* box = qobject_cast<QGroupBox*>(Widget()))
      box->setTitle(ToQ(Control().Text()));
  }
};

class BevelBinding : public ControlBinding {
 public:
  BevelBinding(form::Bevel& bevel, QWidget* parent) : ControlBinding(bevel, new QFrame(parent)) {
    auto* frame = static_cast<QFrame*>(Widget());
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    // A frame drawn over a plot: the plot underneath keeps the mouse.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Visible || aspect == form::Aspect::Bounds)
      Widget()->raise();
  }
};

class PageControlBinding : public ControlBinding {
 public:
  PageControlBinding(form::PageControl& pages, QWidget* parent, WidgetLookup lookup)
      : ControlBinding(pages, new QTabWidget(parent)),
        pages_(pages),
        tabs_(static_cast<QTabWidget*>(Widget())),
        lookup_(std::move(lookup)) {
    QObject::connect(tabs_, &QTabWidget::currentChanged, Context(), [this](int index) {
      QWidget* shown = tabs_->widget(index);
      for (form::TabPage* page : pages_.Pages()) {
        if (lookup_(page) == shown)
          pages_.UserSelectPage(page);
      }
      Update(form::Aspect::ActivePage);
    });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect != form::Aspect::ActivePage)
      return;
    const QSignalBlocker blocker(tabs_);
    if (QWidget* page = lookup_(pages_.ActivePage()))
      tabs_->setCurrentWidget(page);
  }

 private:
  form::PageControl& pages_;
  QTabWidget* tabs_;
  WidgetLookup lookup_;
};

// A page lives in its page control's tab widget; its visibility is its tab's.
class TabPageBinding : public ControlBinding {
 public:
  TabPageBinding(form::TabPage& page, QWidget* parent)
      : ControlBinding(page, new QWidget), tabs_(qobject_cast<QTabWidget*>(parent)) {
    if (tabs_ != nullptr) {
      const QSignalBlocker blocker(tabs_);
      tabs_->addTab(Widget(), ToQ(page.Text()));
    } else {
      Widget()->setParent(parent);
    }
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (tabs_ == nullptr)
      return;
    const int index = tabs_->indexOf(Widget());
    if (aspect == form::Aspect::Text)
      tabs_->setTabText(index, ToQ(Control().Text()));
  }
  void UpdateVisible() override {
    if (tabs_ == nullptr) {
      ControlBinding::UpdateVisible();
      return;
    }
    const QSignalBlocker blocker(tabs_);
    tabs_->setTabVisible(tabs_->indexOf(Widget()), Control().Visible());
  }

 private:
  QTabWidget* tabs_;
};

class StatusBarBinding : public ControlBinding {
 public:
  StatusBarBinding(form::StatusBar& bar, QWidget* parent)
      : ControlBinding(bar, new QFrame(parent)), bar_(bar) {
    auto* layout = new QHBoxLayout(Widget());
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(2);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect != form::Aspect::Panels)
      return;
    auto* layout = static_cast<QHBoxLayout*>(Widget()->layout());
    const auto& panels = bar_.Panels();
    while (labels_.size() < panels.size()) {
      auto* label = new QLabel(Widget());
      label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      label->setObjectName(ToQ(bar_.Name()) + QString::number(labels_.size()));
      layout->addWidget(label);
      labels_.push_back(label);
    }
    for (size_t i = 0; i < panels.size(); ++i) {
      labels_[i]->setText(ToQ(panels[i].text));
      // The last panel takes what is left, as a status bar does.
      if (i + 1 < panels.size()) {
        labels_[i]->setFixedWidth(panels[i].width);
      } else {
        labels_[i]->setMinimumWidth(panels[i].width);
        layout->setStretch(static_cast<int>(i), 1);
      }
    }
  }

 private:
  form::StatusBar& bar_;
  std::vector<QLabel*> labels_;
};

}  // namespace

std::unique_ptr<ControlBinding> BindPanel(form::Panel& control, QWidget* parent) {
  return std::make_unique<PanelBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindBevel(form::Bevel& control, QWidget* parent) {
  return std::make_unique<BevelBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindPageControl(form::PageControl& control, QWidget* parent,
                                                const WidgetLookup& lookup) {
  return std::make_unique<PageControlBinding>(control, parent, lookup);
}

std::unique_ptr<ControlBinding> BindTabPage(form::TabPage& control, QWidget* parent) {
  return std::make_unique<TabPageBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindStatusBar(form::StatusBar& control, QWidget* parent) {
  return std::make_unique<StatusBarBinding>(control, parent);
}

}  // namespace kelvra::qt
