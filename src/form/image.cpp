#include "form/image.h"

namespace kelvra::form {

Image::Image(Window& owner, std::string name, Container* parent, int width, int height)
    : Control(owner, std::move(name), ControlKind::Image, parent),
      canvas_([this] { Notify(Aspect::Drawing); }) {
  SetBounds(0, 0, width, height);
}

void Image::SetTransparent(bool transparent) {
  if (transparent_ == transparent)
    return;
  transparent_ = transparent;
  Notify(Aspect::Drawing);
}

}  // namespace kelvra::form
