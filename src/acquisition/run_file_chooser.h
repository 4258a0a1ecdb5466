#pragma once

#include "form/button_controls.h"
#include "form/file_dialog.h"
#include "form/text_controls.h"

namespace kelvra::acquisition {

// "Parcourir" on the power tab: picks the run file the power computation reads, into the path
// edit beside it. The user may type a path there as well.
class RunFileChooser {
 public:
  RunFileChooser(form::Button& browse, form::Edit& path, form::FileDialog& openDialog);

  void Button9Click();

 private:
  form::Edit& path_;
  form::FileDialog& openDialog_;
};

}  // namespace kelvra::acquisition
