#pragma once

#include "form/button_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// TabSheet1 "Accueil": the program's name, what it does, About and the hidden English switch.
class HomeTab {
 public:
  HomeTab(form::Window& window, form::PageControl& pages);

  form::TabPage& page;
  form::Button& aboutButton;    // Button19
  form::Button& englishButton;  // Button20, created hidden
};

}  // namespace kelvra::app
