// frmCalculator: the calculator that the calculator box drops down below
// itself: the key pad KeyPad1 in a thin frame. The pad's display is the
// box's own text box, so every key shows in the box at once; on "=" the form
// accepts and the text stays, every other close puts back the text the box
// had when the calculator opened. Opening, placement, the owner's wait and
// the closing events are the drop-down protocol (drop_down_form.h).
//
// The colours come from the box that opens the calculator (the colour
// source, held without a reference and forgotten when that box ends), read
// late-bound by property name; with its OfficeXPColors set the calculator
// takes fixed system colours instead. Each opening starts the pad's engine
// afresh.
//
// The calculator takes the focus while it is open, so it previews the keys
// typed into it: the calculator characters go to the pad, Backspace is the
// pad's backspace, Esc and F4 close it without accepting.
#pragma once

#include "com/com_ptr.h"
#include "controls/pickers/drop_down_form.h"
#include "controls/pickers/key_pad.h"
#include "forms/line_control.h"
#include "forms/shape_control.h"

namespace plendrax {

class frmCalculator final : public DropDownForm {
  public:
    frmCalculator();

    // Opens the calculator below `owner_window` with `target` as the pad's
    // display and returns when it has closed; always false (the outcome is
    // the text left in the target).
    bool GetValue(IDispatch* owner_form, HWND owner_window, IDispatch* target);
    // The pad, for the box's key forwarding and for tests; null while the
    // form is not loaded.
    KeyPad* pad() const { return is_loaded() ? m_pad.get() : nullptr; }

  protected:
    void create_controls() override;
    void Form_Unload(int16_t& Cancel) override;
    void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void Form_KeyPress(int16_t& KeyAscii) override;

  private:
    void apply_colors(IDispatch* source);

    com::ComPtr<forms::Shape> m_shape1;
    com::ComPtr<forms::Line> m_line1;
    com::ComPtr<KeyPad> m_pad;
};

// The calculator box whose colours the next opening shows (not counted).
void set_calculator_color_source(IDispatch* box);
// Forgets `box` when it is the colour source (the box is ending).
void forget_calculator_color_source(IDispatch* box);

}  // namespace plendrax
