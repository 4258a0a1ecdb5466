#include "app/language_switch.h"

#include "app/translation_table.h"

namespace kelvra::app {

void SwitchToEnglish(form::Window& window, form::StatusBar& status, form::Memo& stateTrace,
                     form::Memo& dataTrace) {
  status.SetPanelText(0, kEnglishNoVehicle);
  stateTrace.SetLines({kEnglishStateHeader});
  dataTrace.SetLines({kEnglishDataHeader});
  for (const Translation& row : TranslationTable()) {
    if (form::Control* control = window.Find(row.control))
      control->SetText(row.english);
  }
}

}  // namespace kelvra::app
