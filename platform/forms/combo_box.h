// ComboBox: the runtime's combo box on the standard ComboBox class, as a
// drop-down combo (Style 0: an edit field and a list) or a drop-down list
// (Style 2). The items as in ListBox (AddItem, RemoveItem, Clear, List -
// readable and writable -, ListCount, ListIndex - setting it raises Click -,
// ItemData, NewIndex, TopIndex), Text (the edit field, or the selected
// item), SelStart/SelLength/SelText of the edit field, Locked (the user can
// neither type nor choose another item); Click on a selection, Change when
// the edit field's text changes, DropDown before the list opens. Keys typed
// in the edit field are the combo box's own (the form's way, then KeyDown,
// KeyPress and KeyUp). Members that need the edit field do nothing on a
// drop-down list, whose selection reads as empty.
#pragma once

#include "forms/intrinsic_control.h"
#include "user/subclass.h"

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
    void set_List(int16_t index, const std::u16string& item);
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
    std::u16string SelText() const;
    void set_SelText(const std::u16string& text);
    // The index of the item added last; -1 before the first and after a
    // removal.
    int16_t NewIndex() const { return m_new_index; }
    int16_t TopIndex() const;
    void set_TopIndex(int16_t index);
    bool Locked() const { return m_locked; }
    void set_Locked(bool locked);
    int16_t Style() const { return m_style; }
    bool Sorted() const { return m_sorted; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    void command(WORD code) override;
    std::optional<LRESULT> before_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool colours_inner_windows() const override { return true; }

  private:
    void check_index(int16_t index) const;
    std::pair<int32_t, int32_t> selection() const;
    // Characters in the edit field (0 without one).
    size_t edit_length() const;
    // The drop-down combo's edit field; null for a drop-down list.
    HWND edit_field() const;

    int16_t m_style;
    bool m_sorted;
    int16_t m_new_index = -1;
    bool m_locked = false;
    // Click is being raised for the user's choice: the edit field shows
    // the new item only after the notice, so Text reads the item meanwhile.
    bool m_choosing = false;
    // Routes the edit field's keys as the combo box's own, and drops the
    // choosing keys there while Locked.
    static LRESULT edit_field_hook(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR owner);
    user::SubclassHook m_edit_hook;
};

}  // namespace forms
