#include "app/main_window.h"

#include "form/button_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"

namespace kelvra::app {

namespace {

constexpr const char* kCaption = "Kelvra v2 beta TRI-interface --------- Version Test n°022g FR";
constexpr int kStatusHeight = 19;
constexpr int kStripHeight = 78;

}  // namespace

MainWindow::MainWindow(form::Services& services)
    : form::Window(services, "Form1", kCaption, kWidth, kHeight),
      pages_(Add<form::PageControl>("PageControl1")),
      status_(Add<form::StatusBar>("StatusBar")) {
  pages_.SetBounds(0, 0, kWidth, kHeight - kStatusHeight - kStripHeight);
  status_.SetBounds(0, kHeight - kStatusHeight, kWidth, kStatusHeight);
  status_.AddPanel("Aucun véhicule sélectionné", 500);
  status_.AddPanel("OBD Offline", 50);

  BuildHomePage(Add<form::TabPage>("TabSheet1", &pages_, "Accueil"));
  Add<form::TabPage>("TabSheet2", &pages_, "Configuration voitures");

  auto& strip = Add<form::Panel>("GroupBox10", nullptr, "Outils de conversion :", true);
  strip.SetBounds(2, kHeight - kStatusHeight - kStripHeight, kWidth - 4, kStripHeight - 2);
}

void MainWindow::BuildHomePage(form::TabPage& page) {
  auto& title = Add<form::Label>("lbKelvra", &page, "Kelvra 2");
  title.SetFont({form::kNavy, 20, true});
  title.SetBounds(40, 30, 0, 0);
  Add<form::Label>("Label64", &page,
                   "Programme d'acquisition et de calcul de courbes de couple et de puissance.")
      .SetBounds(40, 90, 0, 0);
  Add<form::Label>("Label1", &page,
                   "Version test triple interface, diagnostique et calcul expérimental")
      .SetBounds(40, 115, 0, 0);
  Add<form::Button>("Button19", &page, "About / A propos").SetBounds(40, 300, 120, 25);
  auto& english = Add<form::Button>("Button20", &page, "Translate into English");
  english.SetBounds(170, 300, 140, 25);
  english.SetVisible(false);
}

}  // namespace kelvra::app
