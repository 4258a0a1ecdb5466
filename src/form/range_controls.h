#pragma once

#include <string>

#include "form/control.h"

namespace kelvra::form {

// A slider. Moving it, by the user or the logic, raises the change event.
class TrackBar : public Control {
 public:
  TrackBar(Window& owner, std::string name, Container* parent, int minimum = 0, int maximum = 10,
           int position = 0);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  void SetRange(int minimum, int maximum);
  void SetMaximum(int maximum) { SetRange(minimum_, maximum); }
  // Clamped into the range.
  void SetPosition(int position);

 private:
  int minimum_;
  int maximum_;
  int position_;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Window& owner, std::string name, Container* parent, int minimum = 0,
              int maximum = 100);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  void SetRange(int minimum, int maximum);
  // Clamped into the range.
  void SetPosition(int position);

 private:
  int minimum_;
  int maximum_;
  int position_;
};

}  // namespace kelvra::form
