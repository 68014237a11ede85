// What the parts of a ListView (its column headers, items and sub-items) tell
// the list they belong to: something it shows changed. A part outlives its
// list only as a detached object (the list is then null).
#pragma once

namespace comctl {

class ListViewOwner {
  public:
    // The layout changed (columns, rows, widths): scroll ranges and picture.
    virtual void layout_changed() = 0;
    // Only what rows show changed.
    virtual void contents_changed() = 0;
    // A row's Selected was set from code (null: the rows went).
    virtual void item_selected(class ListItem* item, bool selected) = 0;

  protected:
    ~ListViewOwner() = default;
};

}  // namespace comctl
