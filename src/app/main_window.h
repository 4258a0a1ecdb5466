#pragma once

#include "form/window.h"

namespace kelvra::form {
class PageControl;
class TabPage;
class StatusBar;
class Button;
}  // namespace kelvra::form

namespace kelvra::app {

// TForm1, the main window: the tab pages, the conversion strip below them and the status bar.
class MainWindow : public form::Window {
 public:
  static constexpr int kWidth = 855;
  static constexpr int kHeight = 538;

  explicit MainWindow(form::Services& services);

  form::PageControl& Pages() const { return pages_; }
  form::StatusBar& Status() const { return status_; }

 private:
  void BuildHomePage(form::TabPage& page);

  form::PageControl& pages_;
  form::StatusBar& status_;
};

}  // namespace kelvra::app
