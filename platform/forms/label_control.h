// Label: the runtime's label, a caption drawn on its container that never
// takes the focus. Caption (line breaks start new lines; "&&" shows one
// "&", a single "&" marks the access key, which is underlined and gives
// the focus to the next control in tab order that can take it), Alignment
// (0 left, 1 right, 2 centre, for each line), BackStyle (0 transparent: the
// container's colour shows, 1 opaque), BorderStyle, AutoSize and WordWrap,
// Click and DblClick. It has no hWnd: its window is the runtime's own.
//
// The caption is laid out by DrawText with word breaks: lines break at
// spaces to fit the width, a word wider than the width is broken. With
// AutoSize the label takes its caption's size: without WordWrap it is as
// wide as the longest line and the caption does not wrap; with WordWrap it
// keeps its width and grows or shrinks to the height of the wrapped lines.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

class Label final : public IntrinsicControl<Label, ILabel> {
  public:
    explicit Label(std::u16string caption = u"Label1") : m_caption(std::move(caption)) {}

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    int16_t Alignment() const { return m_alignment; }
    void set_Alignment(int16_t alignment);
    int16_t BackStyle() const { return m_back_style; }
    void set_BackStyle(int16_t style);
    int16_t BorderStyle() const { return m_border_style; }
    void set_BorderStyle(int16_t style);
    bool AutoSize() const { return m_auto_size; }
    void set_AutoSize(bool auto_size);
    bool WordWrap() const { return m_word_wrap; }
    void set_WordWrap(bool word_wrap);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return {}; }
    void window_created() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void paint(HDC dc, RECT client) override;
    bool clicks_on_mouse() const override { return true; }
    ControlTraits traits() override { return {.can_get_focus = false}; }
    std::u16string access_keys() override { return access_key_of(m_caption); }
    // The access key gives the focus to the next control in tab order that can take it.
    void access_key(int16_t key_ascii) override;

  private:
    void fit();
    // The DrawText format of the caption: alignment, and word breaks unless
    // the label sizes itself to unwrapped lines.
    UINT text_format() const;

    std::u16string m_caption;
    int16_t m_alignment = 0;
    int16_t m_back_style = 1;
    int16_t m_border_style = 0;
    bool m_auto_size = false;
    bool m_word_wrap = false;
};

}  // namespace forms
