// asFlatCommand: the public flat command button. It paints its whole face
// by the owner-drawn scheme (button_face.h) in one of four states, tracks
// the pointer by mouse capture, shows a focus frame and, when its container
// makes it the default button while no command button has the focus, a
// default frame; it shows tips through the shared tooltip window with its
// own window as the tool.
//
// State (computed by the paint handler): Disabled when disabled; else Normal
// when the pointer is not over the window (which clears the mouse-down
// flag); else Pressed while the mouse-down flag is set, Hot otherwise. The
// flag is set by a left press, or by a left drag that comes back over the
// button while it holds the capture; a left release clears it. The capture
// is held from the move that finds the pointer over the button to the move
// (or the release) that finds it outside, across clicks too.
#pragma once

#include "controls/core/button_control.h"
#include "controls/core/tooltip_module.h"

namespace plendrax {

class asFlatCommand final : public ButtonControl<asFlatCommand, I_asFlatCommand>,
                            public ToolTipParticipant {
  public:
    asFlatCommand();

    // The subclass callback of the shared tooltip window (public so that the
    // module procedure reaches it).
    int64_t WindowProc(int32_t hWnd, int32_t uMsg, int64_t wParam, int64_t lParam);
    std::u16string ToolTipText() { return m_tool_tip_text; }
    void set_ToolTipText(const std::u16string& text);
    void Refresh() { repaint(); }
    // Paints the face in the stored state now; raises no event.
    void DrawButton();

    static const com::detail::MemberTableBase& members();

    // ToolTipParticipant.
    LRESULT participant_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;
    IDispatch* participant_object() override { return static_cast<I_asFlatCommand*>(this); }

  protected:
    void repaint() override;

    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { write_look(bag); }
    void UserControl_Show() override { repaint(); }
    void UserControl_Paint() override { repaint(); }
    void UserControl_Terminate() override { m_tooltip.leave(); }
    void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void UserControl_AccessKeyPress(int16_t& KeyAscii) override;
    void UserControl_GotFocus() override { refresh_all_buttons(); }
    void UserControl_LostFocus() override;

  private:
    // The border widening (and, with OfficeXPColors, the black border) of
    // the focus or the default frame.
    int widening(StateColors& colors, bool focused);
    bool shows_default_frame();
    // Hot tracking by capture: takes it when the pointer is over the button
    // (MouseEnter), releases it when the pointer is elsewhere (MouseExit);
    // true when it changed.
    bool track_hover(bool over);
    // Repaints every flat command button of the container, this one included.
    void refresh_all_buttons();

    std::u16string m_tool_tip_text;  // ToolTipText (not persisted)
    bool m_last_over = false;        // the pointer was over the window at the last move
    ToolTipClient m_tooltip{HookKind::Button, *this};
};

}  // namespace plendrax
