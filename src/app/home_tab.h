#pragma once

#include "form/button_controls.h"
#include "form/page_controls.h"
#include "form/services.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// TabSheet1 "Accueil": the program's name, what it does, About and the English switch.
class HomeTab {
 public:
  HomeTab(form::Window& window, form::PageControl& pages);

  form::TabPage& page;
  form::Button& aboutButton;    // Button19
  form::Button& englishButton;  // Button20

  // Button19: the program's name and version, and who makes it.
  static void ShowAbout(form::Dialogs& dialogs);
};

inline constexpr const char* kAboutText =
    "Kelvra Beta2 - banc de puissance et tableau de bord sur prise OBD-II, par l'équipe Kelvra\n"
    "2025-2026 - logiciel libre, sans garantie";

}  // namespace kelvra::app
