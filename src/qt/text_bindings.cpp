#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "form/text_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

namespace {

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(form::Label& label, QWidget* parent)
      : ControlBinding(label, new QLabel(parent)), label_(static_cast<QLabel*>(Widget())) {
    ForwardMouse(label_, label);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Text)
      label_->setText(ToQ(Control().Text()));
  }

 private:
  QLabel* label_;
};

class EditBinding : public ControlBinding {
 public:
  EditBinding(form::Edit& edit, QWidget* parent)
      : ControlBinding(edit, new QLineEdit(parent)),
        edit_(edit),
        line_(static_cast<QLineEdit*>(Widget())) {
    QObject::connect(line_, &QLineEdit::textEdited, Context(),
                     [this](const QString& text) { edit_.SetText(text.toStdString()); });
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect == form::Aspect::Text) {
      const QString text = ToQ(edit_.Text());
      if (line_->text() != text)
        line_->setText(text);
    } else if (aspect == form::Aspect::ReadOnly) {
      line_->setReadOnly(edit_.ReadOnly());
    }
  }

 private:
  form::Edit& edit_;
  QLineEdit* line_;
};

class MemoBinding : public ControlBinding {
 public:
  MemoBinding(form::Memo& memo, QWidget* parent)
      : ControlBinding(memo, new QPlainTextEdit(parent)),
        memo_(memo),
        text_(static_cast<QPlainTextEdit*>(Widget())) {
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QObject::connect(text_, &QPlainTextEdit::textChanged, Context(), [this] {
      // The widget already shows what the user typed: don't write it back under the cursor.
      fromWidget_ = true;
      memo_.SetText(text_->toPlainText().toStdString());
      fromWidget_ = false;
    });
  }

 protected:
  void Update(form::Aspect aspect) override {
    switch (aspect) {
      case form::Aspect::LineAdded:
        text_->appendPlainText(ToQ(memo_.Lines().back()));
        break;
      case form::Aspect::Lines:
      case form::Aspect::Text: {
        if (fromWidget_)
          break;
        const QString text =
            ToQ(memo_.Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text_->toPlainText() != text) {
          const bool atEnd =
              text_->verticalScrollBar()->value() == text_->verticalScrollBar()->maximum();
          text_->setPlainText(text);
          if (atEnd)
            text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
        }
        break;
      }
      case form::Aspect::ReadOnly:
        text_->setReadOnly(memo_.ReadOnly());
        break;
      default:
        break;
    }
  }

 private:
  form::Memo& memo_;
  QPlainTextEdit* text_;
  bool fromWidget_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> BindLabel(form::Label& control, QWidget* parent) {
  return std::make_unique<LabelBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindEdit(form::Edit& control, QWidget* parent) {
  return std::make_unique<EditBinding>(control, parent);
}

std::unique_ptr<ControlBinding> BindMemo(form::Memo& control, QWidget* parent) {
  return std::make_unique<MemoBinding>(control, parent);
}

}  // namespace kelvra::qt
