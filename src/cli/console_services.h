#pragma once

#include <iostream>
#include <string>

#include "form/services.h"

namespace kelvra::cli {

// Boxes become lines on the console: messages on out, errors on err; questions answer No and file
// choosers are cancelled, since nobody is there to answer.
class ConsoleDialogs : public form::Dialogs {
 public:
  ConsoleDialogs(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  void ShowMessage(const std::string& text) override { out_ << text << std::endl; }
  void ShowError(const std::string& text) override {
    ++errors;
    err_ << "Erreur : " << text << std::endl;
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    out_ << caption << " : " << text << " (non)" << std::endl;
    return false;
  }
  std::optional<std::string> OpenFile(const form::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const form::FileDialogRequest&) override {
    return std::nullopt;
  }

  int errors = 0;

 private:
  std::ostream& out_;
  std::ostream& err_;
};

class SilentBeeper : public form::Beeper {
 public:
  void Beep() override {}
};

}  // namespace kelvra::cli
