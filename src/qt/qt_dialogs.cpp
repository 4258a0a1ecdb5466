#include "qt/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace kelvra::qt {

namespace {

QString ToQ(const std::string& text) {
  return QString::fromStdString(text);
}

struct DialogSetup {
  QString directory;
  QStringList filters;
  QString selectedFilter;
};

// A file name holding wildcards ("*.ini") is a filter to offer first, not a path.
DialogSetup Prepare(const form::FileDialogRequest& request) {
  DialogSetup setup;
  setup.filters = ConvertFileFilter(request.filter);
  const QString name = ToQ(request.fileName);
  QString directory = ToQ(request.initialDir);
  if (name.contains('*') || name.contains('?')) {
    setup.filters.prepend(QStringLiteral("%1 (%1)").arg(name));
    setup.selectedFilter = setup.filters.first();
  } else {
    if (!name.isEmpty())
      directory = directory.isEmpty() ? name : QDir(directory).filePath(name);
    const int index = request.filterIndex - 1;
    if (index >= 0 && index < setup.filters.size())
      setup.selectedFilter = setup.filters[index];
  }
  setup.directory = directory;
  return setup;
}

}  // namespace

QStringList ConvertFileFilter(const std::string& filter) {
  QStringList filters;
  const QStringList parts = ToQ(filter).split('|');
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = QString(parts[i + 1]).replace(';', ' ').trimmed();
    if (patterns.isEmpty())
      continue;
    // Qt reads the patterns from the parentheses, so add them unless the description shows them.
    if (description.contains('(' + patterns + ')')) {
      filters << description;
    } else {
      filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
  }
  return filters;
}

void QtDialogs::ShowMessage(const std::string& text) {
  QMessageBox::information(parent_, title_, ToQ(text), QMessageBox::Ok);
}

void QtDialogs::ShowError(const std::string& text) {
  QMessageBox::critical(parent_, title_, ToQ(text), QMessageBox::Ok);
}

bool QtDialogs::Confirm(const std::string& text, const std::string& caption) {
  return QMessageBox::question(parent_, ToQ(caption), ToQ(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::OpenFile(const form::FileDialogRequest& request) {
  DialogSetup setup = Prepare(request);
  const QString path =
      QFileDialog::getOpenFileName(parent_, ToQ(request.title), setup.directory,
                                   setup.filters.join(";;"), &setup.selectedFilter);
  if (path.isEmpty())
    return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const form::FileDialogRequest& request) {
  DialogSetup setup = Prepare(request);
  QFileDialog dialog(parent_, ToQ(request.title), setup.directory, setup.filters.join(";;"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!setup.selectedFilter.isEmpty())
    dialog.selectNameFilter(setup.selectedFilter);
  if (!request.defaultExt.empty())
    dialog.setDefaultSuffix(ToQ(request.defaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

void QtBeeper::Beep() {
  QApplication::beep();
}

}  // namespace kelvra::qt
