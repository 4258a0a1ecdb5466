#pragma once

#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// TabSheet8, the port settings page kept for diagnosis; hidden at start and never shown.
class SettingsTab {
 public:
  SettingsTab(form::Window& window, form::PageControl& pages);

  form::TabPage& page;
  form::CheckBox& discardNull;     // cbDiscardNull
  form::ComboBox& syncMethod;      // cbSyncMeth
  form::Edit& bufferSize;          // edBufSize
  form::CheckBox& debugConnected;  // cbDebugConn
};

}  // namespace kelvra::app
