#include "form/file_dialog.h"

#include "form/window.h"

namespace kelvra::form {

FileDialog::FileDialog(Window& owner, std::string name, Container* parent, Mode mode,
                       std::string_view filter)
    : Control(owner, std::move(name), ControlKind::FileDialog, parent), mode_(mode) {
  request_.filter = std::string(filter);
}

bool FileDialog::Execute() {
  Dialogs& dialogs = Owner().services().dialogs;
  auto chosen = mode_ == Mode::Open ? dialogs.OpenFile(request_) : dialogs.SaveFile(request_);
  if (!chosen)
    return false;
  request_.fileName = *chosen;
  return true;
}

}  // namespace kelvra::form
