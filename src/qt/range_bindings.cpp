#include <QProgressBar>
#include <QSlider>

#include "form/range_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

class TrackBarBinding : public ControlBinding {
 public:
  TrackBarBinding(form::TrackBar& bar, QWidget* parent)
      : ControlBinding(bar, new QSlider(Qt::Horizontal, parent)),
        bar_(bar),
        slider_(static_cast<QSlider*>(Widget())) {
    slider_->setTickPosition(QSlider::TicksBelow);
    QObject::connect(slider_, &QSlider::valueChanged, Context(),
                     [this](int value) { bar_.SetPosition(value); });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Range) {
      slider_->setRange(bar_.Minimum(), bar_.Maximum());
    } else if (aspect == form::Aspect::Position) {
      slider_->setValue(bar_.Position());
    }
  }

 private:
  form::TrackBar& bar_;
  QSlider* slider_;
};

class ProgressBarBinding : public ControlBinding {
 public:
  ProgressBarBinding(form::ProgressBar& bar, QWidget* parent)
      : ControlBinding(bar, new QProgressBar(parent)),
        bar_(bar),
        progress_(static_cast<QProgressBar*>(Widget())) {
    progress_->setTextVisible(false);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Range) {
      progress_->setRange(bar_.Minimum(), bar_.Maximum());
    } else if (aspect == form::Aspect::Position) {
      progress_->setValue(bar_.Position());
    }
  }

 private:
  form::ProgressBar& bar_;
  QProgressBar* progress_;
};

}  // namespace

std::unique_ptr<ControlBinding> BindTrackBar(form::TrackBar& control, QWidget* parent) {
  return std::make_unique<TrackBarBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindProgressBar(form::ProgressBar& control, QWidget* parent) {
  return std::make_unique<ProgressBarBinding>(control, parent);
}

}  // namespace kelvra::qt
