#include "form/list_controls.h"

#include <algorithm>

#include "common/windows1252.h"

namespace kelvra::form {

namespace {

bool InRange(int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) < size;
}

}  // namespace

ComboBox::ComboBox(Window& owner, std::string name, Container* parent, bool editable)
    : Control(owner, std::move(name), ControlKind::ComboBox, parent), editable_(editable) {}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (!InRange(itemIndex_, items_.size()))
    itemIndex_ = -1;
  Notify(Aspect::Items);
}

void ComboBox::AddItem(std::string_view item) {
  items_.emplace_back(item);
  Notify(Aspect::Items);
}

void ComboBox::SetItemIndex(int index) {
  if (!InRange(index, items_.size()))
    index = -1;
  const bool changed = index != itemIndex_;
  itemIndex_ = index;
  // The shown text follows the selection without raising the change event.
  if (index >= 0)
    Control::SetText(items_[index]);
  if (changed)
    Notify(Aspect::Selection);
}

int ComboBox::IndexOf(std::string_view item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void ComboBox::UserSelect(int index) {
  if (!Enabled() || !InRange(index, items_.size()))
    return;
  SetItemIndex(index);
  Raise(onChange);
}

void ComboBox::UserSetText(std::string_view text) {
  if (!Enabled() || !editable_)
    return;
  const int index = IndexOf(text);
  if (index != itemIndex_) {
    itemIndex_ = index;
    Notify(Aspect::Selection);
  }
  if (Text() == text)
    return;
  Control::SetText(text);
  Raise(onChange);
}

ListBox::ListBox(Window& owner, std::string name, Container* parent, bool sorted)
    : ListBox(owner, std::move(name), parent, ControlKind::ListBox, sorted) {}

ListBox::ListBox(Window& owner, std::string name, Container* parent, ControlKind kind, bool sorted)
    : Control(owner, std::move(name), kind, parent), sorted_(sorted) {}

int ListBox::AddItem(std::string_view item) {
  auto pos = items_.end();
  if (sorted_) {
    const std::string key = FoldCase(item);
    pos = std::upper_bound(
        items_.begin(), items_.end(), key,
        [](const std::string& k, const std::string& v) { return k < FoldCase(v); });
  }
  const int index = static_cast<int>(pos - items_.begin());
  items_.insert(pos, std::string(item));
  if (itemIndex_ >= index)
    ++itemIndex_;
  ItemInserted(index);
  Notify(Aspect::Items);
  return index;
}

void ListBox::DeleteItem(int index) {
  if (!InRange(index, items_.size()))
    return;
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  ItemDeleted(index);
  Notify(Aspect::Items);
}

void ListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  ItemsCleared();
  Notify(Aspect::Items);
}

int ListBox::IndexOf(std::string_view item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void ListBox::SetItemIndex(int index) {
  if (!InRange(index, items_.size()))
    index = -1;
  if (index == itemIndex_)
    return;
  itemIndex_ = index;
  Notify(Aspect::Selection);
}

std::string ListBox::SelectedText() const {
  return InRange(itemIndex_, items_.size()) ? items_[itemIndex_] : std::string();
}

void ListBox::UserClickItem(int index) {
  if (!Enabled() || !InRange(index, items_.size()))
    return;
  SetItemIndex(index);
  Raise(onClick);
}

void ListBox::UserDoubleClickItem(int index) {
  if (!Enabled() || !InRange(index, items_.size()))
    return;
  UserClickItem(index);
  Raise(onDoubleClick);
}

CheckListBox::CheckListBox(Window& owner, std::string name, Container* parent)
    : ListBox(owner, std::move(name), parent, ControlKind::CheckListBox, false) {}

bool CheckListBox::Checked(int index) const {
  return InRange(index, states_.size()) && states_[index].checked;
}

void CheckListBox::SetChecked(int index, bool checked) {
  if (!InRange(index, states_.size()) || states_[index].checked == checked)
    return;
  states_[index].checked = checked;
  Notify(Aspect::Checked);
}

bool CheckListBox::ItemEnabled(int index) const {
  return InRange(index, states_.size()) && states_[index].enabled;
}

void CheckListBox::SetItemEnabled(int index, bool enabled) {
  if (!InRange(index, states_.size()) || states_[index].enabled == enabled)
    return;
  states_[index].enabled = enabled;
  Notify(Aspect::Checked);
}

void CheckListBox::UserToggleItem(int index) {
  if (!Enabled() || !ItemEnabled(index))
    return;
  SetItemIndex(index);
  SetChecked(index, !states_[index].checked);
  Raise(onClickCheck);
}

void CheckListBox::ItemInserted(int index) {
  states_.insert(states_.begin() + index, ItemState{});
}

void CheckListBox::ItemDeleted(int index) {
  states_.erase(states_.begin() + index);
}

void CheckListBox::ItemsCleared() {
  states_.clear();
}

}  // namespace kelvra::form
