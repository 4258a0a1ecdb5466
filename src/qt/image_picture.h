#pragma once

#include <QImage>
#include <vector>

#include "form/image.h"

namespace kelvra::qt {

// A headless image and where it lies on the picture.
struct PlacedImage {
  const form::Image* image;
  int left;
  int top;
};

// The images painted one over the other in order on a white picture, a transparent image letting
// what lies beneath show through its white. Needs a QGuiApplication for the texts.
QImage ComposeImages(int width, int height, const std::vector<PlacedImage>& images);

// Its white made transparent: what a transparent image shows.
QImage KeyedOutWhite(const QImage& picture);

}  // namespace kelvra::qt
