#include "app/kelvra_windows.h"

namespace kelvra::app {

KelvraWindows::KelvraWindows(form::Services& services, link::SerialPort& componentPort,
                             link::SerialPort& alternativePort)
    : form1(services, componentPort, alternativePort),
      form2(services),
      form3(services),
      form4(services) {
  form1.engine.AddOnlineOnly(form2.captureButton);
}

}  // namespace kelvra::app
