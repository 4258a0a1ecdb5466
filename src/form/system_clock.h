#pragma once

#include "form/services.h"

namespace kelvra::form {

// The local clock of the machine.
class SystemClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace kelvra::form
