#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "form/list_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

QStringList ToQList(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<int>(items.size()));
  for (const auto& item : items)
    list << ToQ(item);
  return list;
}

class ComboBoxBinding : public ControlBinding {
 public:
  ComboBoxBinding(form::ComboBox& combo, QWidget* parent)
      : ControlBinding(combo, new QComboBox(parent)),
        combo_(combo),
        box_(static_cast<QComboBox*>(Widget())) {
    box_->setEditable(combo.Editable());
    QObject::connect(box_, &QComboBox::activated, Context(), [this](int index) {
      combo_.UserSelect(index);
      Update(form::Aspect::Text);
    });
    if (box_->lineEdit() != nullptr) {
      QObject::connect(box_->lineEdit(), &QLineEdit::textEdited, Context(),
                       [this](const QString& text) { combo_.UserSetText(text.toStdString()); });
    }
  }

 protected:
  void Update(form::Aspect aspect) override {
    const QSignalBlocker blocker(box_);
    switch (aspect) {
      case form::Aspect::Items:
        box_->clear();
        box_->addItems(ToQList(combo_.Items()));
        [[fallthrough]];
      case form::Aspect::Selection:
      case form::Aspect::Text:
        box_->setCurrentIndex(combo_.ItemIndex());
        if (box_->isEditable() && box_->currentText() != ToQ(combo_.Text())) {
          box_->setEditText(ToQ(combo_.Text()));
        }
        break;
      default:
        break;
    }
  }

 private:
  form::ComboBox& combo_;
  QComboBox* box_;
};

class ListBoxBinding : public ControlBinding {
 public:
  ListBoxBinding(form::ListBox& list, QWidget* parent)
      : ControlBinding(list, new QListWidget(parent)),
        list_(list),
        widget_(static_cast<QListWidget*>(Widget())) {
    // A selection change by mouse or keyboard is the list's click; a double click comes after it.
    QObject::connect(widget_, &QListWidget::currentRowChanged, Context(), [this](int row) {
      if (row >= 0)
        list_.UserClickItem(row);
    });
    QObject::connect(widget_, &QListWidget::itemDoubleClicked, Context(),
                     [this](QListWidgetItem*) { list_.UserDoubleClick(); });
  }

 protected:
  void Update(form::Aspect aspect) override {
    const QSignalBlocker blocker(widget_);
    if (aspect == form::Aspect::Items) {
      widget_->clear();
      widget_->addItems(ToQList(list_.Items()));
      ItemsRebuilt();
      widget_->setCurrentRow(list_.ItemIndex());
    } else if (aspect == form::Aspect::Selection) {
      widget_->setCurrentRow(list_.ItemIndex());
    } else if (aspect == form::Aspect::Checked) {
      ItemsRebuilt();
    }
  }
  virtual void ItemsRebuilt() {}

  form::ListBox& list_;
  QListWidget* widget_;
};

class CheckListBoxBinding : public ListBoxBinding {
 public:
  CheckListBoxBinding(form::CheckListBox& list, QWidget* parent)
      : ListBoxBinding(list, parent), checks_(list) {
    QObject::connect(widget_, &QListWidget::itemChanged, Context(), [this](QListWidgetItem* item) {
      const int row = widget_->row(item);
      const bool shown = item->checkState() == Qt::Checked;
      if (row >= 0 && shown != checks_.Checked(row))
        checks_.UserToggleItem(row);
      // The control may refuse (a disabled item): show what it holds.
      const QSignalBlocker blocker(widget_);
      ItemsRebuilt();
    });
  }

 protected:
  void ItemsRebuilt() override {
    for (int row = 0; row < widget_->count(); ++row) {
      QListWidgetItem* item = widget_->item(row);
      Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
      if (checks_.ItemEnabled(row))
        flags |= Qt::ItemIsEnabled;
      item->setFlags(flags);
      item->setCheckState(checks_.Checked(row) ? Qt::Checked : Qt::Unchecked);
    }
  }

 private:
  form::CheckListBox& checks_;
};

}  // namespace

std::unique_ptr<ControlBinding> BindComboBox(form::ComboBox& control, QWidget* parent) {
  return std::make_unique<ComboBoxBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindListBox(form::ListBox& control, QWidget* parent) {
  return std::make_unique<ListBoxBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindCheckListBox(form::CheckListBox& control, QWidget* parent) {
  return std::make_unique<CheckListBoxBinding>(control, parent);
}

}  // namespace kelvra::qt
