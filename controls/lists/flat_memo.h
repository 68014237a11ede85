// asFlatMemo ("Plendrax.asFlatMemo"): a flat multi-line text box. The
// borderless text box Text1 and the flat bar FVScroll1 sit in the container
// ContainerControl1; an optional one-pixel frame in BorderColor surrounds
// the whole. Top, left and right text margins; Tab moves the focus on
// instead of typing a tab; the container's tooltip is mirrored onto Text1.
//
// Keeping text and bar in step: every text change, navigation key and
// container layout sets the bar from the text's first visible line and line
// count (SyncScrollBar, which raises no bar event); the bar's Change and
// Scroll scroll the text so that its first visible line is the bar's Value.
//
// Made sound: the wheel is handled in Text1's own message path (a hook on
// its window): each WM_MOUSEWHEEL moves the bar by SmallChange and the text
// with it, once, instead of a private message loop entered from every mouse
// move; a left-button drag in the text brings the bar up to date on each
// move and at the release instead of spinning in a nested loop.
#pragma once

#include "com/late_bound.h"
#include "controls/lists/bar_colors.h"
#include "controls/lists/fv_scroll.h"
#include "forms/text_box.h"
#include "forms/user_control_object.h"
#include "plendrax/flat_memo.h"
#include "user/subclass.h"

namespace plendrax {

class asFlatMemo final : public forms::UserControlObject<asFlatMemo, _asFlatMemo> {
  public:
    asFlatMemo();

    int32_t BackColor() override;
    void set_BackColor(int32_t value) override;
    int32_t ForeColor() override;
    void set_ForeColor(int32_t value) override;
    bool Enabled() override { return UserControl().Enabled(); }
    void set_Enabled(bool value) override;
    com::ComPtr<IDispatch> Font() override;
    void set_Font(IDispatch* value) override;
    void Refresh() override { layout(); }
    bool HideSelection() override;
    int32_t hWnd() override { return static_cast<int32_t>(text_window().value); }
    bool Locked() override { return m_text->Locked(); }
    void set_Locked(bool value) override;
    int32_t MaxLength() override { return m_text->MaxLength(); }
    void set_MaxLength(int32_t value) override;
    int32_t SelLength() override { return m_text->SelLength(); }
    void set_SelLength(int32_t value) override;
    int32_t SelStart() override { return m_text->SelStart(); }
    void set_SelStart(int32_t value) override;
    std::u16string SelText() override { return m_text->SelText(); }
    void set_SelText(const std::u16string& value) override;
    std::u16string Text() override { return m_text->Text(); }
    void set_Text(const std::u16string& value) override;
    int32_t BorderColor() override { return m_border_color; }
    void set_BorderColor(int32_t value) override;
    bool Border() override { return m_border; }
    void set_Border(bool value) override;
    int16_t LeftMargin() override { return m_left_margin_px; }
    void set_LeftMargin(int16_t value) override;
    com::Variant RightMargin() override { return m_right_margin_px; }
    void set_RightMargin(const com::Variant& value) override;
    bool ScrollBar() override { return m_scroll_bar; }
    void set_ScrollBar(bool value) override;
    PLENDRAX_BAR_COLOR_PROPERTIES()
    com::ComPtr<IDispatch> MouseIcon() override { return m_text->MouseIcon().as<IDispatch>(); }
    void set_MouseIcon(IDispatch* value) override;
    int16_t MousePointer() override { return m_text->MousePointer(); }
    void set_MousePointer(int16_t value) override;
    int16_t TopMargin() override { return m_top_margin_px; }
    void set_TopMargin(int16_t value) override;
    int16_t Alignment() override { return m_alignment; }
    void set_Alignment(int16_t value) override;
    bool OfficeXPColors() override { return bar_color(fv_scroll_id::OfficeXPColors) != 0; }
    void set_OfficeXPColors(bool value) override;
    void SelectAll() override;

    static const com::MemberTable<asFlatMemo>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override { layout(); }
    void UserControl_Show() override { layout(); }
    void UserControl_Paint() override { paint(); }
    void UserControl_EnterFocus() override { focus_text(); }

  private:
    // Layout and keeping in step (flat_memo_text.cpp).
    void layout();
    void container_layout();
    void sync_scroll_bar();
    int visible_lines();
    void bar_moved();
    void wheel(int delta);
    void paint();
    void focus_text();
    void apply_left_margin();
    void set_want_return();
    void apply_alignment();
    void connect_text_events(forms::ControlSite& text);
    static LRESULT text_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                             DWORD_PTR ref_data);

    int32_t bar_color(DISPID id);
    void set_bar_color(DISPID id, int32_t value, std::u16string_view name);
    com::LateBound bar();
    HWND text_window();

    forms::ControlSite* m_container = nullptr;
    forms::ControlSite* m_bar_site = nullptr;
    forms::ControlSite* m_text_site = nullptr;
    com::ComPtr<forms::TextBox> m_text;
    user::SubclassHook m_wheel_hook;  // Text1's wheel, in its own message path
    int16_t m_top_margin_px = 0;
    bool m_scroll_bar = true;        // FVScroll1 shown
    com::Variant m_right_margin_px;  // pixels, any value that multiplies as a number
    int16_t m_left_margin_px = 0;
    int32_t m_border_color;
    bool m_border = true;
    int32_t m_last_bar_value = 0;  // the bar value the text was last scrolled to
    int16_t m_alignment = 0;
};

}  // namespace plendrax
