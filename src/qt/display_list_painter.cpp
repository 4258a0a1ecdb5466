#include "qt/display_list_painter.h"

#include <QPainter>
#include <type_traits>
#include <vector>

namespace kelvra::qt {

namespace {

Qt::BrushStyle ToQt(form::BrushStyle style) {
  switch (style) {
    case form::BrushStyle::Clear:
      return Qt::NoBrush;
    case form::BrushStyle::Horizontal:
      return Qt::HorPattern;
    case form::BrushStyle::Vertical:
      return Qt::VerPattern;
    case form::BrushStyle::ForwardDiagonal:
      return Qt::FDiagPattern;
    case form::BrushStyle::BackwardDiagonal:
      return Qt::BDiagPattern;
    case form::BrushStyle::Cross:
      return Qt::CrossPattern;
    case form::BrushStyle::DiagonalCross:
      return Qt::DiagCrossPattern;
    case form::BrushStyle::Solid:
      break;
  }
  return Qt::SolidPattern;
}

QPen ToQPen(const form::Pen& pen) {
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(std::max(1, pen.width));
  qpen.setStyle(ToQPenStyle(pen.style));
  qpen.setCapStyle(Qt::FlatCap);
  return qpen;
}

QBrush ToQBrush(const form::Brush& brush) {
  return QBrush(ToQColor(brush.color), ToQt(brush.style));
}

QFont ToQFont(const form::Font& font) {
  // The classic bitmap face is not on Linux desktops: any sans-serif face of the same pixel size.
  QFont qfont(QStringLiteral("DejaVu Sans"));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPixelSize(std::max(1, font.size * 96 / 72));
  qfont.setBold(font.bold);
  return qfont;
}

template <class>
inline constexpr bool kAlwaysFalse = false;

}  // namespace

Qt::PenStyle ToQPenStyle(form::PenStyle style) {
  switch (style) {
    case form::PenStyle::Dash:
      return Qt::DashLine;
    case form::PenStyle::Dot:
      return Qt::DotLine;
    case form::PenStyle::DashDot:
      return Qt::DashDotLine;
    case form::PenStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case form::PenStyle::Clear:
      return Qt::NoPen;
    case form::PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

QColor ToQColor(form::Color color) {
  return QColor::fromRgb(0xFF000000u | color);
}

DisplayListPainter::DisplayListPainter(int width, int height)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
  Reset();
}

void DisplayListPainter::Reset() {
  image_.fill(Qt::white);
  painted_ = 0;
  pen_ = {};
  brush_ = {};
  font_ = {};
  penPos_ = {};
}

const QImage& DisplayListPainter::Render(const form::Canvas& canvas) {
  const auto& ops = canvas.Operations();
  if (canvas.Generation() != generation_ || ops.size() < painted_) {
    generation_ = canvas.Generation();
    Reset();
  }
  if (painted_ == ops.size())
    return image_;

  QPainter painter(&image_);
  for (; painted_ < ops.size(); ++painted_) {
    std::visit(
        [&](const auto& op) {
          using T = std::decay_t<decltype(op)>;
          if constexpr (std::is_same_v<T, form::draw::SetPen>) {
            pen_ = op.pen;
          } else if constexpr (std::is_same_v<T, form::draw::SetBrush>) {
            brush_ = op.brush;
          } else if constexpr (std::is_same_v<T, form::draw::SetFont>) {
            font_ = op.font;
          } else if constexpr (std::is_same_v<T, form::draw::MoveTo>) {
            penPos_ = {op.x, op.y};
          } else if constexpr (std::is_same_v<T, form::draw::LineTo>) {
            painter.setPen(ToQPen(pen_));
            painter.drawLine(penPos_.x, penPos_.y, op.x, op.y);
            penPos_ = {op.x, op.y};
          } else if constexpr (std::is_same_v<T, form::draw::Rectangle>) {
            painter.setPen(ToQPen(pen_));
            painter.setBrush(ToQBrush(brush_));
            // The outline stays inside right-1, bottom-1, as the classic canvas draws it.
            painter.drawRect(op.left, op.top, op.right - op.left - 1, op.bottom - op.top - 1);
          } else if constexpr (std::is_same_v<T, form::draw::FillRect>) {
            painter.fillRect(QRect(QPoint(op.left, op.top), QPoint(op.right - 1, op.bottom - 1)),
                             ToQBrush(brush_));
          } else if constexpr (std::is_same_v<T, form::draw::Ellipse>) {
            painter.setPen(ToQPen(pen_));
            painter.setBrush(ToQBrush(brush_));
            painter.drawEllipse(op.left, op.top, op.right - op.left - 1, op.bottom - op.top - 1);
          } else if constexpr (std::is_same_v<T, form::draw::FloodFill>) {
            painter.end();
            FloodFill(image_, op.x, op.y, op.color, op.style, ToQColor(brush_.color));
            painter.begin(&image_);
          } else if constexpr (std::is_same_v<T, form::draw::TextOut>) {
            const QFont qfont = ToQFont(font_);
            painter.setFont(qfont);
            const QString text = QString::fromStdString(op.text);
            const QFontMetrics metrics(qfont);
            if (brush_.style != form::BrushStyle::Clear) {
              painter.fillRect(op.x, op.y, metrics.horizontalAdvance(text), metrics.height(),
                               ToQColor(brush_.color));
            }
            painter.setPen(ToQColor(font_.color));
            painter.drawText(op.x, op.y + metrics.ascent(), text);
          } else if constexpr (std::is_same_v<T, form::draw::SetPixel>) {
            if (image_.rect().contains(op.x, op.y))
              image_.setPixel(op.x, op.y, ToQColor(op.color).rgb());
          } else {
            static_assert(kAlwaysFalse<T>, "unhandled drawing primitive");
          }
        },
        ops[painted_]);
  }
  return image_;
}

void FloodFill(QImage& image, int x, int y, form::Color color, form::FillStyle style,
               const QColor& fill) {
  if (!image.rect().contains(x, y))
    return;
  const QRgb target = ToQColor(color).rgb();
  const QRgb paint = fill.rgb();
  auto fillable = [&](int px, int py) {
    const QRgb here = image.pixel(px, py);
    if (here == paint)
      return false;  // already filled: also keeps the walk finite
    return style == form::FillStyle::Border ? here != target : here == target;
  };
  if (!fillable(x, y))
    return;
  std::vector<QPoint> stack{{x, y}};
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    if (!fillable(p.x(), p.y()))
      continue;
    int left = p.x();
    while (left > 0 && fillable(left - 1, p.y()))
      --left;
    int right = p.x();
    while (right + 1 < image.width() && fillable(right + 1, p.y()))
      ++right;
    for (int px = left; px <= right; ++px) {
      if (!fillable(px, p.y()))
        continue;
      image.setPixel(px, p.y(), paint);
      if (p.y() > 0 && fillable(px, p.y() - 1))
        stack.emplace_back(px, p.y() - 1);
      if (p.y() + 1 < image.height() && fillable(px, p.y() + 1))
        stack.emplace_back(px, p.y() + 1);
    }
  }
}

}  // namespace kelvra::qt
