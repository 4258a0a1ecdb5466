#pragma once

#include <string>

#include "form/control.h"

namespace kelvra::form {

// A position held within a range; the position is clamped whenever either changes.
class RangeControl : public Control {
 public:
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  void SetRange(int minimum, int maximum);
  void SetMaximum(int maximum) { SetRange(minimum_, maximum); }
  void SetPosition(int position);

 protected:
  RangeControl(Window& owner, std::string name, ControlKind kind, Container* parent, int minimum,
               int maximum, int position);
  virtual void PositionChanged() {}

 private:
  int minimum_;
  int maximum_;
  int position_;
};

// A slider. Moving it, by the user or the logic, raises the change event.
class TrackBar : public RangeControl {
 public:
  TrackBar(Window& owner, std::string name, Container* parent, int minimum = 0, int maximum = 10,
           int position = 0);

 protected:
  void PositionChanged() override { Raise(onChange); }
};

class ProgressBar : public RangeControl {
 public:
  ProgressBar(Window& owner, std::string name, Container* parent, int minimum = 0,
              int maximum = 100);
};

}  // namespace kelvra::form
