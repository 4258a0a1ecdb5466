#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/color.h"

namespace kelvra::form {

class Window;
class Container;
class Control;

enum class ControlKind {
  Window,
  Label,
  Edit,
  Memo,
  Button,
  CheckBox,
  RadioButton,
  ComboBox,
  ListBox,
  CheckListBox,
  TrackBar,
  ProgressBar,
  StatusBar,
  Panel,
  GroupBox,
  PageControl,
  TabPage,
  Bevel,
  Image,
  Chart,
  Timer,
  FileDialog,
};

// What changed in a control, so that a view can update only that.
enum class Aspect {
  Text,
  Enabled,
  Visible,
  Bounds,
  Font,
  ReadOnly,
  Checked,
  Items,      // the item list was replaced or edited
  Selection,  // the selected item
  Lines,      // the lines of a memo were replaced or edited
  LineAdded,  // one line was appended to a memo
  Range,
  Position,
  Panels,
  ActivePage,
  Drawing,
  Chart,
};

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

struct FontStyle {
  Color color = kBlack;
  int size = 8;
  bool bold = false;
  bool operator==(const FontStyle&) const = default;
};

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
  MouseButton button = MouseButton::Left;
  int x = 0;
  int y = 0;
  bool shift = false;
  bool control = false;
};

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void ControlChanged(Control& control, Aspect aspect) = 0;
};

// One control of a window: its name, its caption or text, its flags and the events it raises.
// Changes made by the logic notify the observers (the view); a user's action comes in through the
// control's User* calls or its setters, and raises the control's events through the window's
// services, which make it a user action.
class Control {
 public:
  using Handler = std::function<void(Control& sender)>;
  using MouseHandler = std::function<void(Control& sender, const MouseEvent& event)>;

  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  Window& Owner() const { return owner_; }
  Container* Parent() const { return parent_; }

  // Caption or text: the one string the control shows. Setting the text it already has does
  // nothing, and raises no change event.
  virtual std::string Text() const { return text_; }
  virtual void SetText(std::string_view text);
  std::string Caption() const { return Text(); }
  void SetCaption(std::string_view caption) { SetText(caption); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Shown on screen: visible, and every parent visible.
  bool Showing() const;

  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(const Bounds& bounds);
  void SetBounds(int left, int top, int width, int height) {
    SetBounds({left, top, width, height});
  }

  const FontStyle& Font() const { return font_; }
  void SetFont(const FontStyle& font);

  // Non-visual components (timers, file dialogs) have no widget.
  bool IsVisual() const { return kind_ != ControlKind::Timer && kind_ != ControlKind::FileDialog; }

  void AddObserver(ControlObserver* observer);
  void RemoveObserver(ControlObserver* observer);

  // A user's click and mouse on the control (images, labels, panels). Disabled controls ignore
  // them.
  void UserClick();
  void UserDoubleClick();
  void UserMouseDown(const MouseEvent& event);
  void UserMouseMove(const MouseEvent& event);
  void UserMouseUp(const MouseEvent& event);

  Handler onClick;
  Handler onDoubleClick;
  Handler onChange;
  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;

 protected:
  Control(Window& owner, std::string name, ControlKind kind, Container* parent);

  void Notify(Aspect aspect);
  // Raises an event as the window does: through the services' dispatch.
  bool Raise(const Handler& handler);
  bool RaiseMouse(const MouseHandler& handler, const MouseEvent& event);
  // Called after the text changed; edits and memos raise their change event here.
  virtual void TextChanged() {}
  // Called after the enabled flag changed; timers start and stop here.
  virtual void EnabledChanged() {}
  // Called after the visible flag changed; tab pages move the active page here.
  virtual void VisibleChanged() {}

 private:
  Window& owner_;
  std::string name_;
  ControlKind kind_;
  Container* parent_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  Bounds bounds_;
  FontStyle font_;
  std::vector<ControlObserver*> observers_;
};

// A control that holds others: the window itself, panels, group boxes, page controls, tab pages.
class Container : public Control {
 public:
  const std::vector<Control*>& Children() const { return children_; }

 protected:
  using Control::Control;

 private:
  friend class Window;
  std::vector<Control*> children_;
};

// A panel or a group box: a caption around other controls.
class Panel : public Container {
 public:
  Panel(Window& owner, std::string name, Container* parent, std::string_view caption = {},
        bool groupBox = false);
};

// A sunken frame drawn over other controls (the selection frame on a plot).
class Bevel : public Control {
 public:
  Bevel(Window& owner, std::string name, Container* parent);
};

}  // namespace kelvra::form
