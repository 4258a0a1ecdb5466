#pragma once

#include <QImage>

#include "form/canvas.h"

namespace kelvra::qt {

QColor ToQColor(form::Color color);
Qt::PenStyle ToQPenStyle(form::PenStyle style);

// Paints a canvas' display list onto an image. It remembers how far it got, so a list that only
// grew is painted from where it stopped; a cleared canvas starts over on a white surface.
class DisplayListPainter {
 public:
  DisplayListPainter(int width, int height);

  // Brings the image up to date with the canvas.
  const QImage& Render(const form::Canvas& canvas);
  const QImage& Image() const { return image_; }

 private:
  void Reset();

  QImage image_;
  size_t painted_ = 0;
  int generation_ = -1;
  form::Pen pen_;
  form::Brush brush_;
  form::Font font_;
  form::Point penPos_;
};

// Fills from (x, y) with the given colour: up to the border colour, or over the surface colour.
void FloodFill(QImage& image, int x, int y, form::Color color, form::FillStyle style,
               const QColor& fill);

}  // namespace kelvra::qt
