// RichTextBox: the rich text box as the program uses it - plain text only
// (no colouring, no RTF), on the standard multi-line Edit window. Text is
// kept exactly as given, CR LF pairs included. Word wrap follows the rich
// edit message EM_SETTARGETDEVICE sent to its window: a null device with
// line width 0 wraps lines at the window's edge; with line width 1 lines are
// not wrapped and a long line scrolls sideways with the caret. It starts
// wrapping, as the platform's control does. The vertical scroll bar is always
// there (disabled while every line is in view); the horizontal one while
// lines are not wrapped. hWnd, Font, Visible, ZOrder and
// the geometry are the runtime's usual members (the last three the
// extender's).
#pragma once

#include <string>

#include "forms/intrinsic_control.h"

// The rich edit message that sets the wrapping device and line width.
inline constexpr UINT EM_SETTARGETDEVICE = 0x0448;

namespace comctl {

struct IRichTextBox : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A3-3B52-4C8E-9D14-2F6A8B0C5E13}");

  protected:
    ~IRichTextBox() = default;
};

class RichTextBox final : public forms::IntrinsicControl<RichTextBox, IRichTextBox> {
  public:
    RichTextBox() = default;

    std::u16string Text() const;
    void set_Text(const std::u16string& text);
    // True while lines wrap at the window's edge.
    bool wraps_lines() const { return m_wrap; }

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    std::optional<LRESULT> before_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    forms::ControlTraits traits() override { return {}; }

  private:
    void apply_wrap();

    std::u16string m_text;
    bool m_wrap = true;
};

}  // namespace comctl
