#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "form/button_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

class ButtonBinding : public ControlBinding {
 public:
  ButtonBinding(form::Button& button, QWidget* parent)
      : ControlBinding(button, new QPushButton(parent)),
        push_(static_cast<QPushButton*>(Widget())) {
    QObject::connect(push_, &QPushButton::clicked, Context(), [&button] { button.UserClick(); });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Text)
      push_->setText(ToQ(Control().Text()));
  }

 private:
  QPushButton* push_;
};

class CheckBoxBinding : public ControlBinding {
 public:
  CheckBoxBinding(form::CheckBox& box, QWidget* parent)
      : ControlBinding(box, new QCheckBox(parent)),
        box_(box),
        check_(static_cast<QCheckBox*>(Widget())) {
    QObject::connect(check_, &QCheckBox::clicked, Context(), [this] {
      box_.UserToggle();
      Update(form::Aspect::Checked);
    });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Text) {
      check_->setText(ToQ(box_.Text()));
    } else if (aspect == form::Aspect::Checked) {
      const QSignalBlocker blocker(check_);
      check_->setChecked(box_.Checked());
    }
  }

 private:
  form::CheckBox& box_;
  QCheckBox* check_;
};

// Exclusion is the control's business: the widget only shows the control's state.
class RadioButtonBinding : public ControlBinding {
 public:
  RadioButtonBinding(form::RadioButton& radio, QWidget* parent)
      : ControlBinding(radio, new QRadioButton(parent)),
        radio_(radio),
        button_(static_cast<QRadioButton*>(Widget())) {
    button_->setAutoExclusive(false);
    QObject::connect(button_, &QRadioButton::clicked, Context(), [this] {
      radio_.UserSelect();
      Update(form::Aspect::Checked);
    });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Text) {
      button_->setText(ToQ(radio_.Text()));
    } else if (aspect == form::Aspect::Checked) {
      const QSignalBlocker blocker(button_);
      button_->setChecked(radio_.Checked());
    }
  }

 private:
  form::RadioButton& radio_;
  QRadioButton* button_;
};

}  // namespace

std::unique_ptr<ControlBinding> BindButton(form::Button& control, QWidget* parent) {
  return std::make_unique<ButtonBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindCheckBox(form::CheckBox& control, QWidget* parent) {
  return std::make_unique<CheckBoxBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindRadioButton(form::RadioButton& control, QWidget* parent) {
  return std::make_unique<RadioButtonBinding>(control, parent);
}

}  // namespace kelvra::qt
