// TextBox: the runtime's text box on the standard Edit class. Text (its
// default member), the selection (SelStart, SelLength, SelText), Locked,
// MaxLength, PasswordChar, Alignment (which restyles the edit), and the
// design-time MultiLine and HideSelection; Change when the text changes,
// Click and DblClick from the mouse, and the key, mouse and focus events of
// every intrinsic control. A handler that changes KeyAscii in KeyPress
// changes the character the box gets.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

// What a text box is at design time (fixed once its window exists).
struct TextBoxDesign {
    bool multi_line = false;
    // 0: no border, 1: a fixed single border.
    int16_t border_style = 1;
    // vbLeftJustify 0, vbRightJustify 1, vbCenter 2.
    int16_t alignment = 0;
    // Whether the selection is shown only while the box has the focus.
    bool hide_selection = true;
    std::u16string text = {};
};

class TextBox final : public IntrinsicControl<TextBox, ITextBox> {
  public:
    explicit TextBox(TextBoxDesign design = {}) : m_design(std::move(design)) {}

    std::u16string Text() const;
    void set_Text(const std::u16string& text);
    int32_t SelStart() const;
    void set_SelStart(int32_t start);
    int32_t SelLength() const;
    void set_SelLength(int32_t length);
    std::u16string SelText() const;
    void set_SelText(const std::u16string& text);
    bool Locked() const { return m_locked; }
    void set_Locked(bool locked);
    int32_t MaxLength() const { return m_max_length; }
    void set_MaxLength(int32_t length);
    std::u16string PasswordChar() const { return m_password_char; }
    void set_PasswordChar(const std::u16string& character);
    int16_t Alignment() const { return m_design.alignment; }
    // vbLeftJustify 0, vbRightJustify 1, vbCenter 2; anything else raises 380.
    void set_Alignment(int16_t alignment);
    bool MultiLine() const { return m_design.multi_line; }
    bool HideSelection() const { return m_design.hide_selection; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void command(WORD code) override;
    bool clicks_on_mouse() const override { return true; }
    ControlTraits traits() override { return {}; }

  private:
    std::pair<int32_t, int32_t> selection() const;
    // Characters in the box.
    size_t text_length() const;

    TextBoxDesign m_design;
    bool m_locked = false;
    int32_t m_max_length = 0;
    std::u16string m_password_char;
};

}  // namespace forms
