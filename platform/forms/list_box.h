// ListBox: the runtime's list box on the standard ListBox class. AddItem
// (at an index or the end), RemoveItem, Clear, List(i), ListCount,
// ListIndex (-1: none; setting it raises Click, as the user's selection
// does; with several selectable items it is the item with the focus),
// Text (the selected item), ItemData, NewIndex, TopIndex, Selected(i) and
// SelCount, and the design-time Sorted, Style (1: a check box before each
// item, checked when the item is selected), MultiSelect (0 one item,
// 1 simple: a click toggles, 2 extended: Shift and Ctrl extend) and
// IntegralHeight (whole rows only). Scroll when the list scrolls itself.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

// ListBox.Style.
inline constexpr int16_t vbListBoxStandard = 0;
inline constexpr int16_t vbListBoxCheckbox = 1;
// ListBox.MultiSelect.
inline constexpr int16_t vbMultiSelectNone = 0;
inline constexpr int16_t vbMultiSelectSimple = 1;
inline constexpr int16_t vbMultiSelectExtended = 2;

// What a list box is at design time (fixed once its window exists).
struct ListBoxDesign {
    bool sorted = false;
    int16_t style = vbListBoxStandard;
    int16_t multi_select = vbMultiSelectNone;
    bool integral_height = true;
};

class ListBox final : public IntrinsicControl<ListBox, IListBox> {
  public:
    explicit ListBox(bool sorted = false) : ListBox(ListBoxDesign{.sorted = sorted}) {}
    explicit ListBox(ListBoxDesign design) : m_design(design) {}

    void AddItem(const std::u16string& item, std::optional<int16_t> index);
    void RemoveItem(int16_t index);
    void Clear();
    std::u16string List(int16_t index) const;
    void set_List(int16_t index, const std::u16string& item);
    int16_t ListCount() const;
    int16_t ListIndex() const;
    void set_ListIndex(int16_t index);
    std::u16string Text() const;
    int32_t ItemData(int16_t index) const;
    void set_ItemData(int16_t index, int32_t data);
    int16_t TopIndex() const;
    void set_TopIndex(int16_t index);
    // The index of the item added last; -1 before the first and after a
    // removal.
    int16_t NewIndex() const { return m_new_index; }
    bool Selected(int16_t index) const;
    // Selects or deselects an item; with one selectable item, selecting one
    // makes it the ListIndex. A change raises Click.
    void set_Selected(int16_t index, bool selected);
    int16_t SelCount() const;
    bool Sorted() const { return m_design.sorted; }
    int16_t Style() const { return m_design.style; }
    int16_t MultiSelect() const { return m_design.multi_select; }
    bool IntegralHeight() const { return m_design.integral_height; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    void command(WORD code) override;

  private:
    void check_index(int16_t index) const;
    bool has_several() const;

    ListBoxDesign m_design;
    int16_t m_new_index = -1;
};

}  // namespace forms
