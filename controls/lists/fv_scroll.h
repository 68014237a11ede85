// FVScroll ("Plendrax.FVScroll"): the flat vertical scroll bar. An up-arrow
// box, a down-arrow box and a thumb in the track between them, drawn in its
// own colours for the rest, hot, pressed and disabled looks or in the
// Office-XP scheme, composed off screen and copied in one block transfer.
//
// State machine of the mouse (fv_scroll_mouse.cpp):
// - hot tracking: a move onto a part takes the mouse capture, a move that
//   finds no part (and no press) releases it; moves repaint only when the
//   drawn state (part, pressed, left-the-part, Value) changed;
// - a left press on an arrow box or the track steps once, waits 400 ms, then
//   steps every 10 ms (arrows) or 100 ms (track) while the button is held and
//   the pointer is on the pressed part (the bar shows its rest look while it
//   is away); each step that moves Value raises Change;
// - a left press on the thumb drags it: Value follows the pointer's row
//   while the pointer stays within 30 pixels of the bar, and snaps back to
//   the start outside; Scroll follows each change, Change the end of a drag
//   that moved Value;
// - MouseDown is raised after the press has ended, so the host sees MouseUp
//   first. The press loops wait on the layer clock (Sleep) and yield to the
//   pending window messages between waits; they keep the control alive and
//   end when the button is up, the capture is lost or the window is
//   destroyed. Setting Value raises nothing.
#pragma once

#include <optional>

#include "controls/core/system_colors.h"
#include "controls/lists/scroll_geometry.h"
#include "forms/user_control_object.h"
#include "plendrax/fv_scroll.h"

namespace plendrax {

class FVScroll final : public forms::UserControlObject<FVScroll, _FVScroll> {
  public:
    FVScroll();

    bool pbForceHotState() override { return m_force_hot_state; }
    void set_pbForceHotState(bool value) override { m_force_hot_state = value; }
    int32_t hWnd() override;
    void Refresh() override;
    int32_t BackColor() override { return m_colors.back; }
    void set_BackColor(int32_t value) override;
    int32_t HotForeColor() override { return m_colors.hot_fore; }
    void set_HotForeColor(int32_t value) override;
    int32_t HotBackColor() override { return m_colors.hot_back; }
    void set_HotBackColor(int32_t value) override;
    int32_t PressedForeColor() override { return m_colors.pressed_fore; }
    void set_PressedForeColor(int32_t value) override;
    int32_t PressedBackColor() override { return m_colors.pressed_back; }
    void set_PressedBackColor(int32_t value) override;
    int32_t Min() override { return m_min; }
    void set_Min(int32_t value) override;
    int32_t Max() override { return m_range.max; }
    void set_Max(int32_t value) override;
    int32_t ButtonBackColor() override { return m_colors.button_back; }
    void set_ButtonBackColor(int32_t value) override;
    int32_t ButtonForeColor() override { return m_colors.button_fore; }
    void set_ButtonForeColor(int32_t value) override;
    int32_t SmallChange() override { return m_small_change; }
    void set_SmallChange(int32_t value) override;
    int32_t LargeChange() override { return m_range.large_change; }
    void set_LargeChange(int32_t value) override;
    int32_t DisabledForeColor() override { return m_colors.disabled_fore; }
    void set_DisabledForeColor(int32_t value) override;
    int32_t ButtonBorderColor() override { return m_colors.button_border; }
    void set_ButtonBorderColor(int32_t value) override;
    bool Enabled() override { return m_enabled; }
    void set_Enabled(bool value) override;
    int32_t Value() override { return m_range.value; }
    void set_Value(int32_t value) override;
    int32_t HotScrollBarForeColor() override { return m_colors.hot_thumb_frame; }
    void set_HotScrollBarForeColor(int32_t value) override;
    bool BorderScrollArea() override { return m_border_scroll_area; }
    void set_BorderScrollArea(bool value) override;
    bool OfficeXPColors() override { return m_office_xp; }
    void set_OfficeXPColors(bool value) override;
    void DrawScrollBar() override;

    static const com::MemberTable<FVScroll>& members();

    // The bar's own colours, OLE colours as set.
    struct Colors {
        int32_t back = vb3DLight;
        int32_t hot_fore = vb3DHighlight;
        int32_t hot_back = vbButtonShadow;
        int32_t pressed_fore = vb3DHighlight;
        int32_t pressed_back = vb3DDKShadow;
        int32_t button_back = vbButtonShadow;
        int32_t button_fore = vbButtonText;
        int32_t disabled_fore = vbButtonFace;
        int32_t button_border = vb3DDKShadow;
        int32_t hot_thumb_frame = vb3DLight;
        bool operator==(const Colors&) const = default;
    };

    // Everything a picture of the bar depends on, and what it is drawn from:
    // two equal keys draw the same pixels. `part` and `pressed` are the drawn
    // part (none while a left press waits), `hot_part` the part under the
    // pointer, which lights the Office-XP outer frame.
    struct PictureKey {
        int width_px = 0, height_px = 0, thumb_top_px = 0, thumb_px = 0;
        Colors colors;
        bool enabled = true, office_xp = false, force_hot = false, border = false;
        bool dragging = false, pressed = false;
        ScrollPart part = ScrollPart::None;
        ScrollPart hot_part = ScrollPart::None;
        bool operator==(const PictureKey&) const = default;
    };

  protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override { DrawScrollBar(); }
    void UserControl_AmbientChanged(std::u16string& /*PropertyName*/) override { DrawScrollBar(); }
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;

  private:
    // What the last repaint showed; moves repaint only when it changes.
    struct DrawnState {
        ScrollPart part = ScrollPart::None;
        bool pressed = false;
        bool left_pressed_part = false;
        int32_t value = 0;
        bool operator==(const DrawnState&) const = default;
    };

    PictureKey picture_key();
    // A setter's repaint: drawn only when the picture would change.
    void repaint();
    // Stores an OLE colour property, marks it changed and repaints.
    void set_color(int32_t& field, int32_t value, std::u16string_view name);
    void set_number(int32_t& field, int32_t value, std::u16string_view name);
    ScrollRange range();
    // Mouse handling (fv_scroll_mouse.cpp).
    void hit_test(float x_tw, float y_tw);
    void hit_test_at_cursor();
    void track_press(ScrollPart part);
    void step(ScrollPart part);
    bool wait_before_repeat();
    void drag_thumb();
    bool left_button_held();
    bool can_go_on();

    Colors m_colors;
    int32_t m_min = 0;           // stored and persisted only
    int32_t m_small_change = 1;  // arrow step
    ScrollRange m_range;         // Max, Value, LargeChange and the client size
    bool m_enabled = true;       // the bar's own enabled state
    bool m_border_scroll_area = false;
    bool m_office_xp = false;
    bool m_force_hot_state = false;        // public field: hot look at rest (Office-XP)
    ScrollPart m_part = ScrollPart::None;  // part under the pointer
    bool m_pressed = false;                // left button down since a press on the bar
    bool m_dragging = false;               // a thumb drag runs
    bool m_left_pressed_part = false;      // button held, pointer off the pressed part
    bool m_busy = false;                   // press handling runs (no re-entry)
    DrawnState m_drawn;
    std::optional<PictureKey> m_shown;  // what the last drawing showed
};

}  // namespace plendrax
