#include <QProgressBar>
#include <QSlider>

#include "form/range_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

// Sliders and progress bars share setRange and setValue.
template <class W>
class RangeBinding : public ControlBinding {
 public:
  RangeBinding(form::RangeControl& range, W* widget)
      : ControlBinding(range, widget), range_(range), widget_(widget) {}

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Range) {
      widget_->setRange(range_.Minimum(), range_.Maximum());
    } else if (aspect == form::Aspect::Position) {
      widget_->setValue(range_.Position());
    }
  }

  form::RangeControl& range_;
  W* widget_;
};

class TrackBarBinding : public RangeBinding<QSlider> {
 public:
  TrackBarBinding(form::TrackBar& bar, QWidget* parent)
      : RangeBinding(bar, new QSlider(Qt::Horizontal, parent)) {
    widget_->setTickPosition(QSlider::TicksBelow);
    QObject::connect(widget_, &QSlider::valueChanged, Context(),
                     [this](int value) { range_.SetPosition(value); });
  }
};

class ProgressBarBinding : public RangeBinding<QProgressBar> {
 public:
  ProgressBarBinding(form::ProgressBar& bar, QWidget* parent)
      : RangeBinding(bar, new QProgressBar(parent)) {
    widget_->setTextVisible(false);
    // A gauge taller than wide stands upright, as the engine-speed gauge does.
    const form::Bounds& bounds = bar.GetBounds();
    if (bounds.height > bounds.width)
      widget_->setOrientation(Qt::Vertical);
  }
};

}  // namespace

std::unique_ptr<ControlBinding> BindTrackBar(form::TrackBar& control, QWidget* parent) {
  return std::make_unique<TrackBarBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindProgressBar(form::ProgressBar& control, QWidget* parent) {
  return std::make_unique<ProgressBarBinding>(control, parent);
}

}  // namespace kelvra::qt
