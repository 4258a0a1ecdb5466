#pragma once

#include <string>
#include <string_view>

#include "form/control.h"
#include "form/services.h"

namespace kelvra::form {

// The open and save dialogs a window keeps: their filter and last file name live between uses.
class FileDialog : public Control {
 public:
  enum class Mode { Open, Save };

  FileDialog(Window& owner, std::string name, Container* parent, Mode mode,
             std::string_view filter = {});

  Mode GetMode() const { return mode_; }
  const std::string& Filter() const { return request_.filter; }
  void SetFilter(std::string_view filter) { request_.filter = std::string(filter); }
  const std::string& FileName() const { return request_.fileName; }
  void SetFileName(std::string_view name) { request_.fileName = std::string(name); }
  void SetTitle(std::string_view title) { request_.title = std::string(title); }
  void SetDefaultExt(std::string_view ext) { request_.defaultExt = std::string(ext); }
  void SetInitialDir(std::string_view dir) { request_.initialDir = std::string(dir); }

  // Runs the dialog; true and FileName() set when the user chose a file.
  bool Execute();

 private:
  Mode mode_;
  FileDialogRequest request_;
};

}  // namespace kelvra::form
