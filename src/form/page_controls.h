#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/control.h"

namespace kelvra::form {

class TabPage;

// A set of tab pages, one of them active. Hidden pages keep their place but show no tab.
class PageControl : public Container {
 public:
  PageControl(Window& owner, std::string name, Container* parent);

  std::vector<TabPage*> Pages() const;
  TabPage* ActivePage() const { return active_; }
  void SetActivePage(TabPage* page);
  // The user picks a tab: the change event fires.
  void UserSelectPage(TabPage* page);

 private:
  friend class TabPage;
  void PageHidden(TabPage* page);

  TabPage* active_ = nullptr;
};

// A tab page of a page control; its visibility is whether its tab is shown.
class TabPage : public Container {
 public:
  TabPage(Window& owner, std::string name, Container* parent, std::string_view caption = {});

  PageControl* Pages() const;
  void SetTabVisible(bool visible) { SetVisible(visible); }
  bool TabVisible() const { return Visible(); }

 protected:
  void VisibleChanged() override;
};

struct StatusPanel {
  std::string text;
  int width = 50;
};

class StatusBar : public Control {
 public:
  StatusBar(Window& owner, std::string name, Container* parent);

  const std::vector<StatusPanel>& Panels() const { return panels_; }
  void AddPanel(std::string_view text, int width);
  std::string PanelText(int index) const;
  void SetPanelText(int index, std::string_view text);

 private:
  std::vector<StatusPanel> panels_;
};

}  // namespace kelvra::form
