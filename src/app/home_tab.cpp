#include "app/home_tab.h"

namespace kelvra::app {

HomeTab::HomeTab(form::Window& window, form::PageControl& pages)
    : page(window.Add<form::TabPage>("TabSheet1", &pages, "Accueil")),
      aboutButton(window.Add<form::Button>("Button19", &page, "About / A propos")),
      englishButton(window.Add<form::Button>("Button20", &page, "Translate into English")) {
  auto& title = window.Add<form::Label>("lbKelvra", &page, "Kelvra 2");
  title.SetFont({form::kNavy, 20, true});
  title.SetBounds(40, 30, 0, 0);
  window
      .Add<form::Label>(
          "Label64", &page,
          "Programme d'acquisition et de calcul de courbes de couple et de puissance.")
      .SetBounds(40, 90, 0, 0);
  window
      .Add<form::Label>("Label1", &page,
                        "Version test triple interface, diagnostique et calcul expérimental")
      .SetBounds(40, 115, 0, 0);
  aboutButton.SetBounds(40, 300, 120, 25);
  englishButton.SetBounds(170, 300, 140, 25);
  // Shown, unlike the layout it comes from: a user who reads no French needs it.
  englishButton.SetVisible(true);
}

void HomeTab::ShowAbout(form::Dialogs& dialogs) {
  dialogs.ShowMessage(kAboutText);
}

}  // namespace kelvra::app
