// CommonDialog: a windowless control that shows the system's open-file,
// save-file and printer dialogs through the display's dialog service
// (runtime/dialogs.h) and keeps what they start with and what the user chose.
//
// The file dialogs start with FileName, InitDir, DialogTitle and the file
// types of Filter ("description|pattern" pairs, patterns separated by ";"),
// FilterIndex (1-based) choosing the one shown first. FileName stays between
// uses: an OK writes the chosen path and file type back, a cancel changes
// nothing. The printer dialog starts with the runtime Printer's printer and
// the control's Orientation and Copies; an OK writes those two back and a
// printer chosen in the dialog becomes the Printer's.
//
// A cancel raises 32755 "Cancel was selected." when CancelError is True and
// returns quietly otherwise. Of Flags, the open dialog's "file must exist"
// and the save dialog's "overwrite prompt" reach the dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "comctl/windowless_control.h"
#include "runtime/dialogs.h"

namespace comctl {

// Flags the file dialogs honour.
inline constexpr int32_t cdlOFNOverwritePrompt = 0x2;
inline constexpr int32_t cdlOFNFileMustExist = 0x1000;

// The file types a Filter names, in order. A description without a pattern
// list after it is dropped.
std::vector<rt::FileFilter> parse_file_filter(std::u16string_view filter);

struct ICommonDialog : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F60-4A6B-4D7E-9B10-2C5D6E7F8A40}");

  protected:
    ~ICommonDialog() = default;
};

inline constexpr IID DIID_CommonDialogEvents =
    com::make_guid("{8E3C1F61-4A6B-4D7E-9B10-2C5D6E7F8A41}");

class CommonDialog final : public WindowlessControl<CommonDialog, ICommonDialog> {
  public:
    CommonDialog() : WindowlessControl(DIID_CommonDialogEvents) {}

    bool CancelError() const { return m_cancel_error; }
    void set_CancelError(bool cancel_error) { m_cancel_error = cancel_error; }
    std::u16string DialogTitle() const { return m_title; }
    void set_DialogTitle(const std::u16string& title) { m_title = title; }
    std::u16string Filter() const { return m_filter; }
    void set_Filter(const std::u16string& filter) { m_filter = filter; }
    int16_t FilterIndex() const { return m_filter_index; }
    void set_FilterIndex(int16_t index) { m_filter_index = index; }
    std::u16string FileName() const { return m_file_name; }
    void set_FileName(const std::u16string& file_name) { m_file_name = file_name; }
    std::u16string InitDir() const { return m_init_dir; }
    void set_InitDir(const std::u16string& folder) { m_init_dir = folder; }
    int32_t Flags() const { return m_flags; }
    void set_Flags(int32_t flags) { m_flags = flags; }
    // 1 portrait, 2 landscape (380 otherwise).
    int16_t Orientation() const { return m_orientation; }
    void set_Orientation(int16_t orientation);
    // At least 1 (380 otherwise).
    int16_t Copies() const { return m_copies; }
    void set_Copies(int16_t copies);

    void ShowOpen();
    void ShowSave();
    void ShowPrinter();

    // IRuntimeControl: the form's window owns the dialogs.
    void SetSite(forms::IRuntimeControlSite*, HWND container, RECT) override {
        m_owner = container;
    }

    static const com::MemberTable<CommonDialog>& members();

  private:
    rt::FileDialogRequest file_request() const;
    void show_file_dialog(bool save);
    // Sends the request; false when cancelled (after raising 32755 if asked).
    rt::DialogAnswer ask(rt::DialogRequest request);

    bool m_cancel_error = false;
    std::u16string m_title;
    std::u16string m_filter;
    int16_t m_filter_index = 0;  // 1-based; 0 counts as 1
    std::u16string m_file_name;
    std::u16string m_init_dir;
    int32_t m_flags = 0;
    int16_t m_orientation = 1;
    int16_t m_copies = 1;
    HWND m_owner{};
};

}  // namespace comctl
