#include "form/range_controls.h"

#include <algorithm>

namespace kelvra::form {

RangeControl::RangeControl(Window& owner, std::string name, ControlKind kind, Container* parent,
                           int minimum, int maximum, int position)
    : Control(owner, std::move(name), kind, parent),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      position_(std::clamp(position, minimum_, maximum_)) {}

void RangeControl::SetRange(int minimum, int maximum) {
  maximum = std::max(minimum, maximum);
  if (minimum == minimum_ && maximum == maximum_)
    return;
  minimum_ = minimum;
  maximum_ = maximum;
  Notify(Aspect::Range);
  SetPosition(position_);
}

void RangeControl::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_)
    return;
  position_ = position;
  Notify(Aspect::Position);
  PositionChanged();
}

TrackBar::TrackBar(Window& owner, std::string name, Container* parent, int minimum, int maximum,
                   int position)
    : RangeControl(owner, std::move(name), ControlKind::TrackBar, parent, minimum, maximum,
                   position) {}

ProgressBar::ProgressBar(Window& owner, std::string name, Container* parent, int minimum,
                         int maximum)
    : RangeControl(owner, std::move(name), ControlKind::ProgressBar, parent, minimum, maximum,
                   minimum) {}

}  // namespace kelvra::form
