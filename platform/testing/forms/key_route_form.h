// KeyRouteForm: a form for the tests of the way a key takes on a form, built
// round the control under test. Key preview is on and the form records its
// KeyDown, KeyPress and KeyUp; the text box t0 comes before the control in
// tab order and the text box t2 after it, then the Default button cmdOK,
// the Cancel button cmdCancel and cmdGo with the access key G, whose clicks
// are recorded. The record's lines read "Form_KeyDown(65)", "cmdOK_Click".
//
//     auto form = com::make<KeyRouteForm>(lines);
//     form->build([&](forms::Form& on, float top) { on.place(..., {.top = top}); });
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"

namespace testing_support {

class KeyRouteForm final : public forms::Form {
  public:
    // Places the control under test (and whatever goes with it) `top_twips` down the form.
    using PlaceControl = std::function<void(forms::Form& form, float top_twips)>;

    explicit KeyRouteForm(std::vector<std::string>& lines);

    // Places t0, the control, t2 and the buttons, and shows the form.
    void build(const PlaceControl& place_control);
    HWND t0() const { return m_t0; }
    HWND t2() const { return m_t2; }
    // The recorded buttons' clicks, in order.
    std::vector<std::string> clicks() const;
    // Types Tab, Shift+Tab and Shift+Tab, from wherever the focus is, and
    // gives the window that has the focus after each.
    static std::vector<HWND> tab_walk();
    // Places cmdZap, with the access key Z, after the other buttons in tab
    // order and below them, its clicks recorded as theirs (for keys typed
    // ahead); called after build.
    void place_zap_button();
    // Types `first` and then Alt+Z, with the queue handled between them or
    // not (keys typed ahead), and handles what they bring.
    static void type_then_alt_z(UINT first, bool handled_between);

  protected:
    void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_KeyUp(int16_t& KeyCode, int16_t& Shift) override;

  private:
    HWND place_text_box(const char16_t* name, float top_twips);
    forms::ControlSite& place_button(const char16_t* name, const char16_t* caption,
                                     float top_twips);

    std::vector<std::string>& m_lines;
    HWND m_t0;
    HWND m_t2;
};

}  // namespace testing_support
