#include "form/button_controls.h"
#include "form/chart.h"
#include "form/image.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/range_controls.h"
#include "form/text_controls.h"
#include "qt/bindings.h"

namespace kelvra::qt {

std::unique_ptr<ControlBinding> MakeBinding(form::Control& control, QWidget* parent,
                                            const WidgetLookup& lookup) {
  using form::ControlKind;
  switch (control.Kind()) {
    case ControlKind::Label:
      return BindLabel(static_cast<form::Label&>(control), parent);
    case ControlKind::Edit:
      return BindEdit(static_cast<form::Edit&>(control), parent);
    case ControlKind::Memo:
      return BindMemo(static_cast<form::Memo&>(control), parent);
    case ControlKind::Button:
      return BindButton(static_cast<form::Button&>(control), parent);
    case ControlKind::CheckBox:
      return BindCheckBox(static_cast<form::CheckBox&>(control), parent);
    case ControlKind::RadioButton:
      return BindRadioButton(static_cast<form::RadioButton&>(control), parent);
    case ControlKind::ComboBox:
      return BindComboBox(static_cast<form::ComboBox&>(control), parent);
    case ControlKind::ListBox:
      return BindListBox(static_cast<form::ListBox&>(control), parent);
    case ControlKind::CheckListBox:
      return BindCheckListBox(static_cast<form::CheckListBox&>(control), parent);
    case ControlKind::TrackBar:
      return BindTrackBar(static_cast<form::TrackBar&>(control), parent);
    case ControlKind::ProgressBar:
      return BindProgressBar(static_cast<form::ProgressBar&>(control), parent);
    case ControlKind::Panel:
    case ControlKind::GroupBox:
      return BindPanel(static_cast<form::Panel&>(control), parent);
    case ControlKind::Bevel:
      return BindBevel(static_cast<form::Bevel&>(control), parent);
    case ControlKind::PageControl:
      return BindPageControl(static_cast<form::PageControl&>(control), parent, lookup);
    case ControlKind::TabPage:
      return BindTabPage(static_cast<form::TabPage&>(control), parent);
    case ControlKind::StatusBar:
      return BindStatusBar(static_cast<form::StatusBar&>(control), parent);
    case ControlKind::Image:
      return BindImage(static_cast<form::Image&>(control), parent);
    case ControlKind::Chart:
      return BindChart(static_cast<form::Chart&>(control), parent);
    case ControlKind::Window:
    case ControlKind::Timer:
    case ControlKind::FileDialog:
      break;
  }
  return nullptr;
}

}  // namespace kelvra::qt
