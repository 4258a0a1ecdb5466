#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/control.h"

namespace kelvra::form {

// A drop-down list. Changes made by the logic raise no event; the user's choice or typing raises
// the change event, as the platform does.
class ComboBox : public Control {
 public:
  // An editable combo box lets the user type any text; a list-only one only picks items.
  ComboBox(Window& owner, std::string name, Container* parent, bool editable = false);

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(std::string_view item);
  int ItemIndex() const { return itemIndex_; }
  // Selects an item (or none with -1) and shows its text.
  void SetItemIndex(int index);
  int IndexOf(std::string_view item) const;
  bool Editable() const { return editable_; }

  void UserSelect(int index);
  void UserSetText(std::string_view text);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  bool editable_;
};

// A list of texts with one selected item. A sorted list keeps its items in case-insensitive order.
class ListBox : public Control {
 public:
  ListBox(Window& owner, std::string name, Container* parent, bool sorted = false);

  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Sorted() const { return sorted_; }
  // Returns the index where the item went.
  int AddItem(std::string_view item);
  void DeleteItem(int index);
  void Clear();
  // Exact, case-sensitive comparison; -1 when absent.
  int IndexOf(std::string_view item) const;
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The selected item's text, or "" when none is selected.
  std::string SelectedText() const;

  // The user clicks an item: it is selected, then the click event fires.
  void UserClickItem(int index);
  // A double click selects and clicks first, then raises the double-click event.
  void UserDoubleClickItem(int index);

 protected:
  ListBox(Window& owner, std::string name, Container* parent, ControlKind kind, bool sorted);
  virtual void ItemInserted(int index) { (void)index; }
  virtual void ItemDeleted(int index) { (void)index; }
  virtual void ItemsCleared() {}

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  bool sorted_;
};

// A list whose items have a check box each; items can be disabled. Changing a check from the logic
// raises no event; the user's toggle of an enabled item raises onClickCheck.
class CheckListBox : public ListBox {
 public:
  CheckListBox(Window& owner, std::string name, Container* parent);

  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
  bool ItemEnabled(int index) const;
  void SetItemEnabled(int index, bool enabled);

  void UserToggleItem(int index);

  Handler onClickCheck;

 protected:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;

 private:
  struct ItemState {
    bool checked = false;
    bool enabled = true;
  };
  std::vector<ItemState> states_;
};

}  // namespace kelvra::form
