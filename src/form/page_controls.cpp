#include "form/page_controls.h"

namespace kelvra::form {

PageControl::PageControl(Window& owner, std::string name, Container* parent)
    : Container(owner, std::move(name), ControlKind::PageControl, parent) {}

std::vector<TabPage*> PageControl::Pages() const {
  std::vector<TabPage*> pages;
  for (Control* child : Children()) {
    if (auto* page = dynamic_cast<TabPage*>(child))
      pages.push_back(page);
  }
  return pages;
}

void PageControl::SetActivePage(TabPage* page) {
  if (page == active_)
    return;
  if (page != nullptr && (page->Parent() != this || !page->TabVisible()))
    return;
  active_ = page;
  Notify(Aspect::ActivePage);
}

void PageControl::UserSelectPage(TabPage* page) {
  if (!Enabled() || page == nullptr || page == active_)
    return;
  SetActivePage(page);
  if (active_ == page)
    Raise(onChange);
}

void PageControl::PageHidden(TabPage* page) {
  if (page != active_)
    return;
  // The next shown page takes over, else the previous one, as a tab bar does.
  const auto pages = Pages();
  TabPage* next = nullptr;
  bool after = false;
  for (TabPage* p : pages) {
    if (p == page) {
      after = true;
    } else if (p->TabVisible() && (after || next == nullptr)) {
      next = p;
      if (after)
        break;
    }
  }
  active_ = next;
  Notify(Aspect::ActivePage);
}

TabPage::TabPage(Window& owner, std::string name, Container* parent, std::string_view caption)
    : Container(owner, std::move(name), ControlKind::TabPage, parent) {
  SetText(caption);
  if (auto* pages = Pages(); pages != nullptr && pages->ActivePage() == nullptr) {
    pages->active_ = this;
  }
}

PageControl* TabPage::Pages() const {
  return dynamic_cast<PageControl*>(Parent());
}

void TabPage::VisibleChanged() {
  PageControl* pages = Pages();
  if (pages == nullptr)
    return;
  if (!Visible()) {
    pages->PageHidden(this);
  } else if (pages->ActivePage() == nullptr) {
    pages->SetActivePage(this);
  }
}

StatusBar::StatusBar(Window& owner, std::string name, Container* parent)
    : Control(owner, std::move(name), ControlKind::StatusBar, parent) {}

void StatusBar::AddPanel(std::string_view text, int width) {
  panels_.push_back({std::string(text), width});
  Notify(Aspect::Panels);
}

std::string StatusBar::PanelText(int index) const {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    return {};
  return panels_[index].text;
}

void StatusBar::SetPanelText(int index, std::string_view text) {
  if (index < 0 || index >= static_cast<int>(panels_.size()))
    return;
  if (panels_[index].text == text)
    return;
  panels_[index].text = std::string(text);
  Notify(Aspect::Panels);
}

}  // namespace kelvra::form
