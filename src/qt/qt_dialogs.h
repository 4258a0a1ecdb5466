#pragma once

#include <QString>
#include <QStringList>

#include "form/services.h"

class QWidget;

namespace kelvra::qt {

// "Texte (*.txt)|*.txt|Tous (*.*)|*.*" as Qt's name filters: "Texte (*.txt)", "Tous (*.*)".
QStringList ConvertFileFilter(const std::string& filter);

// Message boxes and file choosers over the given parent window.
class QtDialogs : public form::Dialogs {
 public:
  explicit QtDialogs(QString applicationTitle) : title_(std::move(applicationTitle)) {}

  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Confirm(const std::string& text, const std::string& caption) override;
  std::optional<std::string> OpenFile(const form::FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const form::FileDialogRequest& request) override;

 private:
  QString title_;
  QWidget* parent_ = nullptr;
};

class QtBeeper : public form::Beeper {
 public:
  void Beep() override;
};

}  // namespace kelvra::qt
