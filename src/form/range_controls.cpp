#include "form/range_controls.h"

#include <algorithm>

namespace kelvra::form {

TrackBar::TrackBar(Window& owner, std::string name, Container* parent, int minimum, int maximum,
                   int position)
    : Control(owner, std::move(name), ControlKind::TrackBar, parent),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      position_(std::clamp(position, minimum_, maximum_)) {}

void TrackBar::SetRange(int minimum, int maximum) {
  maximum = std::max(minimum, maximum);
  if (minimum == minimum_ && maximum == maximum_)
    return;
  minimum_ = minimum;
  maximum_ = maximum;
  Notify(Aspect::Range);
  SetPosition(position_);
}

void TrackBar::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_)
    return;
  position_ = position;
  Notify(Aspect::Position);
  Raise(onChange);
}

ProgressBar::ProgressBar(Window& owner, std::string name, Container* parent, int minimum,
                         int maximum)
    : Control(owner, std::move(name), ControlKind::ProgressBar, parent),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      position_(minimum) {}

void ProgressBar::SetRange(int minimum, int maximum) {
  maximum = std::max(minimum, maximum);
  if (minimum == minimum_ && maximum == maximum_)
    return;
  minimum_ = minimum;
  maximum_ = maximum;
  Notify(Aspect::Range);
  SetPosition(position_);
}

void ProgressBar::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_)
    return;
  position_ = position;
  Notify(Aspect::Position);
}

}  // namespace kelvra::form
