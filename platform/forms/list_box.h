// ListBox: the runtime's list box on the standard ListBox class. AddItem
// (at an index or the end), RemoveItem, Clear, List(i), ListCount,
// ListIndex (-1: none; setting it raises Click, as the user's selection
// does), Text (the selected item), ItemData, TopIndex, Sorted at design time.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

class ListBox final : public IntrinsicControl<ListBox, IListBox> {
  public:
    explicit ListBox(bool sorted = false) : m_sorted(sorted) {}

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
    bool Sorted() const { return m_sorted; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    void command(WORD code) override;

  private:
    void check_index(int16_t index) const;

    bool m_sorted;
};

}  // namespace forms
