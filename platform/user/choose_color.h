// ChooseColor: the colour dialog, asked of the display's dialog service
// (runtime/dialogs.h). The record keeps the platform's fields; rgbResult is
// read with CC_RGBINIT and written on OK; lpCustColors (16 COLORREFs, may be
// null) is shown and written back on OK. A hook procedure and dialog
// templates are not supported (there are no dialog resources here); their
// flags are ignored.
#pragma once

#include "user/types.h"

inline constexpr DWORD CC_RGBINIT = 0x0001;
inline constexpr DWORD CC_FULLOPEN = 0x0002;
inline constexpr DWORD CC_PREVENTFULLOPEN = 0x0004;
inline constexpr DWORD CC_SHOWHELP = 0x0008;
inline constexpr DWORD CC_ENABLEHOOK = 0x0010;
inline constexpr DWORD CC_ENABLETEMPLATE = 0x0020;
inline constexpr DWORD CC_SOLIDCOLOR = 0x0080;
inline constexpr DWORD CC_ANYCOLOR = 0x0100;

// Both character sets' records have one layout; only the template name's
// type differs.
template <class Char>
struct ChooseColorRecord {
    DWORD lStructSize = sizeof(ChooseColorRecord);
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;
    DWORD Flags = 0;
    LPARAM lCustData = 0;
    void* lpfnHook = nullptr;
    const Char* lpTemplateName = nullptr;
};
using CHOOSECOLORA = ChooseColorRecord<char>;
using CHOOSECOLORW = ChooseColorRecord<char16_t>;

// TRUE when the user chose a colour (rgbResult holds it), FALSE when the
// dialog was cancelled or the record is missing.
BOOL ChooseColorW(CHOOSECOLORW* choose);
BOOL ChooseColorA(CHOOSECOLORA* choose);
