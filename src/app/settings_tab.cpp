#include "app/settings_tab.h"

namespace kelvra::app {

namespace {

form::ComboBox& Setting(form::Window& window, const char* name, form::Container* parent,
                        std::vector<std::string> items, int top) {
  auto& combo = window.Add<form::ComboBox>(name, parent);
  combo.SetItems(std::move(items));
  combo.SetItemIndex(0);
  combo.SetBounds(10, top, 120, 22);
  return combo;
}

}  // namespace

SettingsTab::SettingsTab(form::Window& window, form::PageControl& pages)
    : page(window.Add<form::TabPage>("TabSheet8", &pages, "TabSheet8")),
      discardNull(window.Add<form::CheckBox>("cbDiscardNull", &page, "Discard Null")),
      syncMethod(window.Add<form::ComboBox>("cbSyncMeth", &page)),
      bufferSize(window.Add<form::Edit>("edBufSize", &page, "1024")),
      debugConnected(window.Add<form::CheckBox>("cbDebugConn", &page, "Connecté")) {
  window
      .Add<form::Label>("Label102", &page,
                        "Flow control, baud rate, data bits, parity, port, stopbits")
      .SetBounds(10, 8, 0, 0);
  Setting(window, "cbFlowControl", &page, {"None", "Hardware", "Software"}, 28);
  Setting(window, "cbBaudRate", &page, {"38400", "9600"}, 54);
  Setting(window, "cbDataBits", &page, {"8", "7"}, 80);
  Setting(window, "cbParity", &page, {"None", "Odd", "Even"}, 106);
  Setting(window, "cbPortName", &page, {"COM1"}, 132);
  Setting(window, "cbStopBits", &page, {"1", "2"}, 158);
  discardNull.SetBounds(150, 28, 120, 20);
  window.Add<form::Label>("Label103", &page, "SyncMethod").SetBounds(150, 58, 0, 0);
  syncMethod.SetItems({"smThreadSync", "smNone", "smWindowSync"});
  syncMethod.SetItemIndex(0);
  syncMethod.SetBounds(230, 54, 120, 22);
  window.Add<form::Label>("Label104", &page, "Buffer Size").SetBounds(150, 84, 0, 0);
  bufferSize.SetBounds(230, 80, 70, 22);
  debugConnected.SetBounds(150, 108, 120, 20);
  page.SetTabVisible(false);
}

}  // namespace kelvra::app
