#pragma once

#include <string>

#include "form/canvas.h"
#include "form/control.h"

namespace kelvra::form {

// A picture the logic draws on. The view paints the canvas' display list onto a white surface of
// the image's size; mouse events come in image coordinates.
class Image : public Control {
 public:
  Image(Window& owner, std::string name, Container* parent, int width, int height);

  int Width() const { return GetBounds().width; }
  int Height() const { return GetBounds().height; }
  Canvas& GetCanvas() { return canvas_; }
  const Canvas& GetCanvas() const { return canvas_; }
  // Back to a white surface with an empty display list.
  void Blank() { canvas_.Clear(); }
  // A transparent image lets what lies beneath show through its white.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 private:
  Canvas canvas_;
  bool transparent_ = false;
};

}  // namespace kelvra::form
