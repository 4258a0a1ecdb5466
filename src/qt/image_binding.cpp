#include <QPainter>
#include <QWidget>

#include "form/image.h"
#include "qt/bindings.h"
#include "qt/display_list_painter.h"
#include "qt/image_picture.h"

namespace kelvra::qt {

namespace {

// Paints the image's display list, bringing its picture up to date only when shown.
class ImageWidget : public QWidget {
 public:
  ImageWidget(form::Image& image, QWidget* parent)
      : QWidget(parent), image_(image), painter_(image.Width(), image.Height()) {
    setAttribute(Qt::WA_OpaquePaintEvent, !image.Transparent());
  }

  const QImage& Picture() { return painter_.Render(image_.GetCanvas()); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (!image_.Transparent()) {
      painter.drawImage(0, 0, Picture());
      return;
    }
    // White is the transparent colour: what lies beneath shows through it.
    painter.drawImage(0, 0, KeyedOutWhite(Picture()));
  }

 public:
  void TransparencyChanged() { setAttribute(Qt::WA_OpaquePaintEvent, !image_.Transparent()); }

 private:
  form::Image& image_;
  DisplayListPainter painter_;
};

class ImageBinding : public ControlBinding {
 public:
  ImageBinding(form::Image& image, QWidget* parent)
      : ControlBinding(image, new ImageWidget(image, parent)) {
    ForwardMouse(Widget(), image);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Drawing) {
      static_cast<ImageWidget*>(Widget())->TransparencyChanged();
      Widget()->update();
    }
  }
};

}  // namespace

std::unique_ptr<ControlBinding> BindImage(form::Image& control, QWidget* parent) {
  return std::make_unique<ImageBinding>(control, parent);
}

}  // namespace kelvra::qt
