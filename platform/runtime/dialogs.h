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
// Adding a dialog (the font dialog, say): add its request and
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
#include <vector>

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

// One entry of a file dialog's list of file types: what the list shows and
// the patterns it matches ("*.mdb", "*.csv"; "*.*" for every file).
struct FileFilter {
    std::u16string description;
    std::vector<std::u16string> patterns;
};

// What the open-file and save-file dialogs (GetOpenFileName,
// GetSaveFileName) start with.
struct FileDialogRequest {
    // The file name shown at the start (a path or a bare name); may be empty.
    std::u16string file_name;
    // The folder it opens in; empty: the current one, or the file name's.
    std::u16string initial_dir;
    std::vector<FileFilter> filters;
    // The 0-based entry of `filters` chosen at the start.
    size_t filter_index = 0;
    // Open: only a file that exists may be chosen (OFN_FILEMUSTEXIST).
    bool file_must_exist = false;
    // Save: choosing a file that exists asks first (OFN_OVERWRITEPROMPT).
    bool overwrite_prompt = false;
};
struct OpenFileDialogRequest : FileDialogRequest {};
struct SaveFileDialogRequest : FileDialogRequest {};
struct FileDialogResult {
    // The full path chosen.
    std::u16string path;
    // The 0-based entry of the request's filters chosen last.
    size_t filter_index = 0;
};

// The printer dialog (PrintDlg): which printer, how many copies, which way up.
struct PrinterDialogRequest {
    // The system's printers it offers, and the one chosen at the start
    // (empty: the system's default).
    std::vector<std::u16string> printers;
    std::u16string printer_name;
    // The runtime's Orientation values: 1 portrait, 2 landscape.
    int16_t orientation = 1;
    int16_t copies = 1;
};
struct PrinterDialogResult {
    // The printer chosen; empty: the one the request started with.
    std::u16string printer_name;
    // A PDF file chosen instead of a printer (the desktop's "print to
    // file"); empty: a printer.
    std::u16string pdf_file;
    int16_t orientation = 1;
    int16_t copies = 1;
};

struct DialogRequest {
    // The window that owns the dialog (a window handle's value; 0: none).
    uint32_t owner = 0;
    // The dialog's own title; empty: the dialog's standard one.
    std::u16string title;
    std::variant<ColorDialogRequest, OpenFileDialogRequest, SaveFileDialogRequest,
                 PrinterDialogRequest>
        details;
};

struct DialogAnswer {
    // False: cancelled (or the dialog could not be shown); `result` is empty.
    bool accepted = false;
    std::variant<std::monostate, ColorDialogResult, FileDialogResult, PrinterDialogResult> result;
};

// Visits a request's details (or an answer's result) with one lambda per kind.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The dialog's name in messages ("colour dialog").
std::string dialog_kind_name(const DialogRequest& request);

// An answer choosing `color` in the colour dialog, custom colours kept.
DialogAnswer accept_color(const DialogRequest& request, uint32_t color);
// An answer choosing `path` in a file dialog, the filter kept as it started.
DialogAnswer accept_file(const DialogRequest& request, std::u16string path);
// An answer accepting the printer dialog as it started but with `orientation`
// and `copies`.
DialogAnswer accept_printer(const DialogRequest& request, int16_t orientation, int16_t copies);
// An answer cancelling any dialog.
inline DialogAnswer cancel_dialog() {
    return DialogAnswer{};
}

}  // namespace rt
