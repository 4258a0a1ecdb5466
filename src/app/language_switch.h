#pragma once

#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

inline constexpr const char* kEnglishNoVehicle = "No vehicle selected";
inline constexpr const char* kEnglishStateHeader = "Kelvra >> status tracking";
inline constexpr const char* kEnglishDataHeader = "Kelvra >> data tracking";

// The main window's fixed texts in English, in one step and one way only. The status panel and
// both traces start again with English headers (the lines traced so far go); what the program
// writes afterwards, and the other windows, stay French.
void SwitchToEnglish(form::Window& window, form::StatusBar& status, form::Memo& stateTrace,
                     form::Memo& dataTrace);

}  // namespace kelvra::app
