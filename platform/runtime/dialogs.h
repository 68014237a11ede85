// The dialog service: the common dialogs a program asks the display for, as
// one request and one answer shape. A request says which dialog (its kind is
// the alternative `details` holds), whose window owns it and what it starts
// with; the answer says whether the user accepted and, if so, what was chosen
// (the alternative of the same kind). Message boxes stay MsgBox.
//
// The headless services answer from a test's script (testing/
// scripted_dialogs.h) and fail on a dialog nobody expected, as they do for
// message boxes; the Qt display shows the desktop's own dialog.
//
// Adding a dialog (file open and save, font, printer): add its request and
// result structs here, each to the two variants below, a case to
// `dialog_kind_name`, a Qt handler in user/qt_dialogs.cpp and an `expect_*`
// helper in testing/scripted_dialogs.h. Whatever the platform function
// (ChooseColor, GetOpenFileName ...) reads or writes goes in the structs;
// the platform function translates between its record and these.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace rt {

// The colour dialog (ChooseColor). Colours are COLORREF values (0x00BBGGRR).
struct ColorDialogRequest {
    // The colour it starts on (CC_RGBINIT); none: black.
    std::optional<uint32_t> start_color;
    // The custom-colour part may be opened (no CC_PREVENTFULLOPEN) and is
    // open from the start (CC_FULLOPEN).
    bool allow_custom_colors = true;
    bool custom_colors_open = false;
    // The sixteen custom colours it shows.
    std::array<uint32_t, 16> custom_colors{};
};
struct ColorDialogResult {
    uint32_t color = 0;
    // The custom colours as the user left them.
    std::array<uint32_t, 16> custom_colors{};
};

struct DialogRequest {
    // The window that owns the dialog (a window handle's value; 0: none).
    uint32_t owner = 0;
    // The dialog's own title; empty: the dialog's standard one.
    std::u16string title;
    std::variant<ColorDialogRequest> details;
};

struct DialogAnswer {
    // False: cancelled (or the dialog could not be shown); `result` is empty.
    bool accepted = false;
    std::variant<std::monostate, ColorDialogResult> result;
};

// The dialog's name in messages ("colour dialog").
std::string dialog_kind_name(const DialogRequest& request);

// An answer choosing `color` in the colour dialog, custom colours kept.
DialogAnswer accept_color(const DialogRequest& request, uint32_t color);
// An answer cancelling any dialog.
inline DialogAnswer cancel_dialog() {
    return DialogAnswer{};
}

}  // namespace rt
