#include "qt/image_picture.h"

#include <QPainter>

#include "qt/display_list_painter.h"

namespace kelvra::qt {

QImage KeyedOutWhite(const QImage& picture) {
  QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
        line[x] = 0;
    }
  }
  return keyed;
}

QImage ComposeImages(int width, int height, const std::vector<PlacedImage>& images) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  for (const PlacedImage& placed : images) {
    DisplayListPainter image(placed.image->Width(), placed.image->Height());
    const QImage& drawn = image.Render(placed.image->GetCanvas());
    painter.drawImage(placed.left, placed.top,
                      placed.image->Transparent() ? KeyedOutWhite(drawn) : drawn);
  }
  return picture;
}

}  // namespace kelvra::qt
