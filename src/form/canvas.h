#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "form/color.h"

namespace kelvra::form {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class BrushStyle {
  Solid,
  Clear,
  Horizontal,
  Vertical,
  ForwardDiagonal,
  BackwardDiagonal,
  Cross,
  DiagonalCross
};
// Border: fill outward from the point up to the given colour; Surface: fill the region of the
// given colour that holds the point.
enum class FillStyle { Border, Surface };

struct Pen {
  Color color = kBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  bool operator==(const Pen&) const = default;
};

struct Brush {
  Color color = kWhite;
  BrushStyle style = BrushStyle::Solid;
  bool operator==(const Brush&) const = default;
};

struct Font {
  std::string name = "MS Sans Serif";
  int size = 8;
  Color color = kBlack;
  bool bold = false;
  bool operator==(const Font&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// The primitives of a display list. Rectangles exclude their right and bottom edges, lines their
// end point, as the platform's canvas does.
namespace draw {
struct SetPen {
  Pen pen;
};
struct SetBrush {
  Brush brush;
};
struct SetFont {
  Font font;
};
struct MoveTo {
  int x, y;
};
struct LineTo {
  int x, y;
};
// Outline with the pen, inside with the brush.
struct Rectangle {
  int left, top, right, bottom;
};
// The brush only.
struct FillRect {
  int left, top, right, bottom;
};
struct Ellipse {
  int left, top, right, bottom;
};
// Fills with the brush.
struct FloodFill {
  int x, y;
  Color color;
  FillStyle style;
};
// Text with its top-left corner at (x, y), on the brush unless the brush is clear.
struct TextOut {
  int x, y;
  std::string text;
};
struct SetPixel {
  int x, y;
  Color color;
};
}  // namespace draw

using DrawOp = std::variant<draw::SetPen, draw::SetBrush, draw::SetFont, draw::MoveTo, draw::LineTo,
                            draw::Rectangle, draw::FillRect, draw::Ellipse, draw::FloodFill,
                            draw::TextOut, draw::SetPixel>;

// A drawing surface that keeps what is drawn as a display list until it is cleared. Pen, brush and
// font changes enter the list only when a drawing uses them, so the list stays short.
class Canvas {
 public:
  explicit Canvas(std::function<void()> changed = {}) : changed_(std::move(changed)) {}

  const Pen& GetPen() const { return pen_; }
  void SetPen(const Pen& pen) { pen_ = pen; }
  void SetPenColor(Color color) { pen_.color = color; }
  void SetPenWidth(int width) { pen_.width = width; }
  void SetPenStyle(PenStyle style) { pen_.style = style; }
  const Brush& GetBrush() const { return brush_; }
  void SetBrush(const Brush& brush) { brush_ = brush; }
  void SetBrushColor(Color color) { brush_.color = color; }
  void SetBrushStyle(BrushStyle style) { brush_.style = style; }
  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font) { font_ = font; }
  void SetFontColor(Color color) { font_.color = color; }

  Point PenPos() const { return penPos_; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void FillRect(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void FloodFill(int x, int y, Color color, FillStyle style);
  void TextOut(int x, int y, std::string_view text);
  void SetPixel(int x, int y, Color color);

  // An estimate of the text's width in pixels for the canvas font; the screen may differ slightly.
  int TextWidth(std::string_view text) const;
  int TextHeight() const;

  const std::vector<DrawOp>& Operations() const { return ops_; }
  // Forgets the display list; pen, brush and font stay.
  void Clear();
  // Counts the clears, so a view that paints the list bit by bit knows when to start over.
  int Generation() const { return generation_; }

 private:
  void Emit(DrawOp op, bool pen, bool brush, bool font);

  std::function<void()> changed_;
  std::vector<DrawOp> ops_;
  Pen pen_;
  Brush brush_;
  Font font_;
  Point penPos_;
  int generation_ = 0;
  // What the display list has in force; nothing until the first drawing.
  std::optional<Pen> listPen_;
  std::optional<Brush> listBrush_;
  std::optional<Font> listFont_;
};

}  // namespace kelvra::form
