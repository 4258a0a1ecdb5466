#pragma once

#include <memory>

#include "qt/control_binding.h"

class QObject;

namespace kelvra::form {
class Label;
class Edit;
class Memo;
class Button;
class CheckBox;
class RadioButton;
class ComboBox;
class ListBox;
class CheckListBox;
class TrackBar;
class ProgressBar;
class Panel;
class Bevel;
class PageControl;
class TabPage;
class StatusBar;
class Image;
class Chart;
}  // namespace kelvra::form

namespace kelvra::qt {

// One maker per kind; each creates its widget as a child of parent.
std::unique_ptr<ControlBinding> BindLabel(form::Label& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindEdit(form::Edit& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindMemo(form::Memo& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindButton(form::Button& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindCheckBox(form::CheckBox& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindRadioButton(form::RadioButton& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindComboBox(form::ComboBox& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindListBox(form::ListBox& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindCheckListBox(form::CheckListBox& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindTrackBar(form::TrackBar& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindProgressBar(form::ProgressBar& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindPanel(form::Panel& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindBevel(form::Bevel& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindPageControl(form::PageControl& control, QWidget* parent,
                                                const WidgetLookup& lookup);
std::unique_ptr<ControlBinding> BindTabPage(form::TabPage& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindStatusBar(form::StatusBar& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindImage(form::Image& control, QWidget* parent);
std::unique_ptr<ControlBinding> BindChart(form::Chart& control, QWidget* parent);

// Forwards mouse presses, moves, releases, clicks and double clicks on a widget to its control.
void ForwardMouse(QWidget* widget, form::Control& control);

}  // namespace kelvra::qt
