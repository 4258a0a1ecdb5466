#include "form/system_clock.h"

namespace kelvra::form {

DateTime SystemClock::Now() const {
  return LocalNow();
}

}  // namespace kelvra::form
