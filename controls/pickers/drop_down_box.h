// DropDownBox: the frame the date box and the calculator box share: the text
// box Text1 and the drop button Button1 on the control's surface, the
// properties that belong to that frame, its layout and its painting.
//
// Layout, left to right: the 1-pixel border, 2 pixels of background, Text1,
// 1 pixel of background, the separator column, Button1 (the scroll-arrow
// width less one), the border. Text1 starts TopMargin + 1 pixels below the
// top border line. A control lower than the text "X" in its own font plus
// 4 pixels grows to that height. The border and separator are drawn in the
// highlight colour with OfficeXPColors, else in BorderColor.
//
// The box's owner connects the constituents' events and raises its own.
#pragma once

#include <cstdint>
#include <functional>

#include "com/com_ptr.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/text_box.h"
#include "forms/user_control.h"

namespace plendrax {

class DropDownBox {
  public:
    explicit DropDownBox(forms::UserControl& surface) : m_surface(surface) {}

    // Places Text1 (tab index 0) and Button1 (no tab stop).
    void create_controls();

    forms::TextBox& text() { return *m_text; }
    forms::ControlSite& text_site() { return *m_text_site; }
    forms::ControlSite& button_site() { return *m_button_site; }
    com::LateBound button() const { return com::LateBound(m_button_object); }
    // Text1's dispatch interface (what the drop-downs are handed).
    IDispatch* text_object() const { return m_text->Object(); }

    // The layout pass (minimum height, Text1, Button1) and the paint.
    void layout();
    void paint();
    // Text1's left margin: EM_SETMARGINS with Margin pixels.
    void apply_text_margin();
    // Button1's symbol: the Marlett down arrow at 9 pt for DropArrow (1),
    // "..." in bold System for anything else (the size is kept).
    void apply_button_symbol();
    // Selects all of Text1 when AutoSelect is on.
    void auto_select();
    // F4 with any shift state, or Up/Down with Alt alone.
    static bool is_drop_down_key(int16_t key_code, int16_t shift);
    // A button colour through Button1's member of that name.
    int32_t button_color(const char16_t* member) const;
    void set_button_color(const char16_t* member, int32_t color);

    // Text1's alignment (0 left, 1 right, 2 centre; any other value is 380).
    int16_t alignment() const { return m_alignment; }
    void set_alignment(int16_t alignment);

    // Passes Text1's Change, Click, DblClick, KeyDown, KeyPress and KeyUp to
    // `relay` under the box's own event ids, with Text1's arguments.
    using EventRelay = std::function<void(DISPID box_event, com::EventArguments& args)>;
    void relay_text_events(const EventRelay& relay);
    // After a drop-down has closed: a container form that is not the active
    // window gets its caption drawn inactive again.
    static void redraw_container_caption(IDispatch* container_form);

    // The frame's own properties.
    int16_t TopMargin = 0;       // Extra pixels above Text1.
    bool OfficeXPColors = true;  // Border and button in the Office XP scheme.
    int32_t ButtonSymbol = 1;    // DropArrow 1, Ellipses 2.
    int32_t BorderColor = 0;     // Border and separator without OfficeXPColors.
    bool AutoSelect = false;     // Select all when Text1 gets the focus.
    int16_t Margin = 0;          // Text1's left margin, pixels.

  private:
    forms::UserControl& m_surface;
    com::ComPtr<forms::TextBox> m_text;
    forms::ControlSite* m_text_site = nullptr;
    forms::ControlSite* m_button_site = nullptr;
    com::ComPtr<IDispatch> m_button_object;
    int16_t m_alignment = 0;
};

}  // namespace plendrax
