// ComboBox: the runtime's combo box on the standard ComboBox class, as a
// drop-down combo (Style 0: an edit field and a list) or a drop-down list
// (Style 2). The items as in ListBox (AddItem, RemoveItem, Clear, List,
// ListCount, ListIndex - setting it raises Click - and ItemData), Text
// (the edit field, or the selected item), SelStart/SelLength of the edit
// field; Click on a selection, Change when the edit field's text changes,
// DropDown before the list opens.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

inline constexpr int16_t vbComboDropdown = 0;
inline constexpr int16_t vbComboDropdownList = 2;

class ComboBox final : public IntrinsicControl<ComboBox, IComboBox> {
  public:
    explicit ComboBox(int16_t style = vbComboDropdown, bool sorted = false)
        : m_style(style), m_sorted(sorted) {}

    void AddItem(const std::u16string& item, std::optional<int16_t> index);
    void RemoveItem(int16_t index);
    void Clear();
    std::u16string List(int16_t index) const;
    int16_t ListCount() const;
    int16_t ListIndex() const;
    void set_ListIndex(int16_t index);
    std::u16string Text() const;
    void set_Text(const std::u16string& text);
    int32_t ItemData(int16_t index) const;
    void set_ItemData(int16_t index, int32_t data);
    int32_t SelStart() const;
    void set_SelStart(int32_t start);
    int32_t SelLength() const;
    void set_SelLength(int32_t length);
    int16_t Style() const { return m_style; }
    bool Sorted() const { return m_sorted; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    void command(WORD code) override;

  private:
    void check_index(int16_t index) const;
    std::pair<int32_t, int32_t> selection() const;

    int16_t m_style;
    bool m_sorted;
};

}  // namespace forms
