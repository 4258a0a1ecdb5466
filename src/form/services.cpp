#include "form/services.h"

#include <exception>
#include <new>

#include "common/errors.h"

namespace kelvra::form {

bool Services::Dispatch(const std::function<void()>& handler) {
  if (!handler)
    return true;
  if (depth_ > 0) {
    // Inside an action: the outermost dispatch decides what to do with an error.
    ++depth_;
    struct Leave {
      int& depth;
      ~Leave() { --depth; }
    } leave{depth_};
    handler();
    return true;
  }
  std::string message;
  ++depth_;
  try {
    handler();
    --depth_;
    return true;
  } catch (const Error& error) {
    message = error.what();
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = "Unknown error";
  }
  --depth_;
  dialogs.ShowError(message);
  return false;
}

bool Services::DispatchSeparate(const std::function<void()>& handler) {
  const int outer = depth_;
  depth_ = 0;
  struct Restore {
    int& depth;
    int outer;
    ~Restore() { depth = outer; }
  } restore{depth_, outer};
  return Dispatch(handler);
}

void Services::PumpEvents() {
  DispatchSeparate([this] { pump.ProcessPendingEvents(); });
}

}  // namespace kelvra::form
