#include "form/canvas.h"

namespace kelvra::form {

void Canvas::Emit(DrawOp op, bool pen, bool brush, bool font) {
  if (pen && listPen_ != pen_) {
    ops_.emplace_back(draw::SetPen{pen_});
    listPen_ = pen_;
  }
  if (brush && listBrush_ != brush_) {
    ops_.emplace_back(draw::SetBrush{brush_});
    listBrush_ = brush_;
  }
  if (font && listFont_ != font_) {
    ops_.emplace_back(draw::SetFont{font_});
    listFont_ = font_;
  }
  ops_.push_back(std::move(op));
  if (changed_)
    changed_();
}

void Canvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
  Emit(draw::MoveTo{x, y}, false, false, false);
}

void Canvas::LineTo(int x, int y) {
  penPos_ = {x, y};
  Emit(draw::LineTo{x, y}, true, false, false);
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
  Emit(draw::Rectangle{left, top, right, bottom}, true, true, false);
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
  Emit(draw::FillRect{left, top, right, bottom}, false, true, false);
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
  Emit(draw::Ellipse{left, top, right, bottom}, true, true, false);
}

void Canvas::FloodFill(int x, int y, Color color, FillStyle style) {
  Emit(draw::FloodFill{x, y, color, style}, false, true, false);
}

void Canvas::TextOut(int x, int y, std::string_view text) {
  Emit(draw::TextOut{x, y, std::string(text)}, false, true, true);
  penPos_ = {x + TextWidth(text), y};
}

void Canvas::SetPixel(int x, int y, Color color) {
  Emit(draw::SetPixel{x, y, color}, false, false, false);
}

int Canvas::TextWidth(std::string_view text) const {
  // Average advance of a proportional sans-serif face: about 0.6 em, plus bold's extra width.
  int chars = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80)
      ++chars;  // count UTF-8 characters, not bytes
  }
  const int pixelSize = font_.size * 96 / 72;
  return chars * pixelSize * (font_.bold ? 13 : 12) / 20;
}

int Canvas::TextHeight() const {
  return font_.size * 96 / 72 + 2;
}

void Canvas::Clear() {
  ops_.clear();
  ++generation_;
  listPen_.reset();
  listBrush_.reset();
  listFont_.reset();
  if (changed_)
    changed_();
}

}  // namespace kelvra::form
