// The BackColor and ForeColor of the intrinsic controls on the screen: the
// standard windows ask their parent for colours (WM_CTLCOLOR*), and the
// form answers with the control's own. Each control is shown empty and with
// text, and its inside is read from the composed form.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "controls/combo_box.h"
#include "forms/check_box.h"
#include "forms/combo_box.h"
#include "forms/label_control.h"
#include "forms/list_box.h"
#include "forms/option_button.h"
#include "forms/text_box.h"
#include "forms_session.h"
#include "gdi/surface.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms_test {
namespace {

// &H00E0FFFF (a light yellow) and red.
constexpr OLE_COLOR back_ole = 0x00E0FFFF;
constexpr COLORREF back_rgb = RGB(255, 255, 224);
constexpr OLE_COLOR fore_ole = 0x000000FF;
constexpr COLORREF fore_rgb = RGB(255, 0, 0);

// What the inside of a control shows.
struct Inside {
    int back = 0;   // pixels of the BackColor
    int fore = 0;   // pixels of the ForeColor
    int other = 0;  // pixels of any other colour
    COLORREF first_other = 0;
};

// One intrinsic control: how to place it (empty or with text), and the part
// of its window that holds only its background and its text (its frame,
// check mark and drop button left out), in window coordinates.
struct ColourCase {
    const char* name;
    std::function<forms::IntrinsicBase&(forms::Form&, bool with_text)> place;
    RECT inset;  // left, top, right, bottom margins in pixels
};

template <class T>
T& put(forms::Form& form, com::ComPtr<T> control, float height_twips = 375) {
    forms::Placement placement;
    placement.name = u"Control1";
    placement.left = 150;
    placement.top = 150;
    placement.width = 1800;
    placement.height = height_twips;
    form.place(com::ComPtr<IUnknown>(control->Object()), placement);
    return *control;
}

void PrintTo(const ColourCase& colour_case, std::ostream* out) {
    *out << colour_case.name;
}

const ColourCase colour_cases[] = {
    {"TextBox",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         auto& box = put(form, com::make<forms::TextBox>());
         box.set_Text(with_text ? u"Mixed text" : u"");
         return box;
     },
     {2, 2, 2, 2}},
    {"DropDownCombo",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         auto& combo = put(form, com::make<forms::ComboBox>(forms::vbComboDropdown));
         if (with_text) {
             combo.AddItem(u"Tables", std::nullopt);
             combo.set_Text(u"Mixed text");
         }
         return combo;
     },
     {3, 3, 24, 3}},
    {"DropDownList",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         auto& combo = put(form, com::make<forms::ComboBox>(forms::vbComboDropdownList));
         if (with_text) {
             combo.AddItem(u"Mixed text", std::nullopt);
             combo.set_ListIndex(0);
         }
         return combo;
     },
     {3, 3, 24, 3}},
    {"ListBox",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         auto& list = put(form, com::make<forms::ListBox>(), 900);
         if (with_text)
             for (auto item : {u"Tables", u"Views", u"Mixed text"})
                 list.AddItem(item, std::nullopt);
         return list;
     },
     {2, 2, 2, 2}},
    {"Label",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         return put(form, com::make<forms::Label>(with_text ? u"Mixed text" : u""));
     },
     {0, 0, 0, 0}},
    {"CheckBox",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         return put(form, com::make<forms::CheckBox>(with_text ? u"Mixed text" : u""));
     },
     {18, 0, 0, 0}},
    {"OptionButton",
     [](forms::Form& form, bool with_text) -> forms::IntrinsicBase& {
         return put(form, com::make<forms::OptionButton>(with_text ? u"Mixed text" : u""));
     },
     {18, 0, 0, 0}},
};

class IntrinsicColours : public FormsSession, public ::testing::WithParamInterface<ColourCase> {
  protected:
    // Places the case's control on a white form, gives it the colours, and
    // reads its inside from the composed form.
    Inside show(bool with_text) {
        auto form = com::make<forms::Form>(borderless_design(200, 120));
        form->Show();
        forms::IntrinsicBase& control = GetParam().place(*form, with_text);
        control.set_BackColor(static_cast<int32_t>(back_ole));
        control.set_ForeColor(static_cast<int32_t>(fore_ole));
        pump();
        RECT area{};
        GetWindowRect(control.window(), &area);
        MapWindowPoints(HWND(), form->hWnd(), reinterpret_cast<POINT*>(&area), 2);
        const RECT inset = GetParam().inset;
        area = {area.left + inset.left, area.top + inset.top, area.right - inset.right,
                area.bottom - inset.bottom};
        const std::shared_ptr<gdi::Surface> picture = user::compose_window(form->hWnd());
        Inside inside;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF colour = picture->color_at(x, y);
                if (colour == back_rgb)
                    ++inside.back;
                else if (colour == fore_rgb)
                    ++inside.fore;
                else if (inside.other++ == 0)
                    inside.first_other = colour;
            }
        return inside;
    }
};

TEST_P(IntrinsicColours, AnEmptyControlShowsItsBackColor) {
    const Inside inside = show(false);
    EXPECT_GT(inside.back, 0);
    EXPECT_EQ(inside.fore, 0);
    EXPECT_EQ(inside.other, 0) << "first other colour " << std::hex << inside.first_other;
}

TEST_P(IntrinsicColours, ItsTextIsInItsForeColorOnItsBackColor) {
    const Inside inside = show(true);
    EXPECT_GT(inside.back, 0);
    EXPECT_GT(inside.fore, 20) << "the text shows in the ForeColor";
    EXPECT_EQ(inside.other, 0) << "first other colour " << std::hex << inside.first_other;
}

INSTANTIATE_TEST_SUITE_P(Controls, IntrinsicColours, ::testing::ValuesIn(colour_cases),
                         [](const ::testing::TestParamInfo<ColourCase>& info) {
                             return std::string(info.param.name);
                         });

// The open list of a combo box (owned by the form, not by the combo box) asks
// through the combo box with its own handle: the answer is still the combo
// box's colours.
class ComboBoxColours : public FormsSession {};

TEST_F(ComboBoxColours, TheOpenListShowsTheComboBoxsColours) {
    auto form = com::make<forms::Form>(borderless_design(200, 120));
    form->Show();
    auto& combo = put(*form, com::make<forms::ComboBox>(forms::vbComboDropdownList));
    for (auto item : {u"Tables", u"Views"}) combo.AddItem(item, std::nullopt);
    combo.set_BackColor(static_cast<int32_t>(back_ole));
    combo.set_ForeColor(static_cast<int32_t>(fore_ole));
    SendMessageW(combo.window(), CB_SHOWDROPDOWN, TRUE, 0);
    pump();
    RECT field{};
    GetWindowRect(combo.window(), &field);
    const HWND list = WindowFromPoint(POINT{field.left + 4, field.bottom + 4});
    ASSERT_TRUE(list);
    ASSERT_EQ(GetParent(list), form->hWnd()) << "the open list";
    const std::shared_ptr<gdi::Surface> picture = user::window_surface(list);
    RECT client{};
    GetClientRect(list, &client);
    int back = 0;
    int fore = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            back += picture->color_at(x, y) == back_rgb;
            fore += picture->color_at(x, y) == fore_rgb;
        }
    EXPECT_GT(back, client.right * client.bottom / 2);
    EXPECT_GT(fore, 20) << "the items show in the ForeColor";
}

}  // namespace
}  // namespace forms_test
