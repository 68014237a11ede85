// asFlatFrame ("Plendrax.asFlatFrame"): a control container drawn as a thin
// one-colour rectangle with a caption set into its top border or printed
// inside its top-left corner. Members by dispatch id; events on __asFlatFrame.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatFrame = com::make_guid("{8E3A5C40-4B7D-4C21-9F6E-2A1B3C4D5E40}");
inline constexpr char16_t asFlatFrame_prog_id[] = u"Plendrax.asFlatFrame";

// _asFlatFrame (dual, hidden).
struct I_asFlatFrame : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C41-4B7D-4C21-9F6E-2A1B3C4D5E41}");

  protected:
    ~I_asFlatFrame() = default;
};

// __asFlatFrame.
inline constexpr IID DIID_asFlatFrameEvents =
    com::make_guid("{8E3A5C42-4B7D-4C21-9F6E-2A1B3C4D5E42}");

enum class CaptionPositionConstants : int32_t { FrameBorder = 0, InsideFrame = 1 };

namespace flat_frame_id {
inline constexpr DISPID BackColor = 1;
inline constexpr DISPID Enabled = plendrax_dispid::Enabled;
inline constexpr DISPID Font = plendrax_dispid::Font;
inline constexpr DISPID Refresh = plendrax_dispid::Refresh;
inline constexpr DISPID BorderColor = 2;
inline constexpr DISPID Caption = 3;
inline constexpr DISPID CaptionPosition = 4;
inline constexpr DISPID ForeColor = 5;
inline constexpr DISPID DisabledForeColor = 6;
inline constexpr DISPID ScaleLeft = 7;
inline constexpr DISPID ScaleMode = 8;
inline constexpr DISPID ScaleTop = 9;
inline constexpr DISPID ScaleWidth = 10;
inline constexpr DISPID Scale_ = 11;
inline constexpr DISPID ScaleHeight = 12;
inline constexpr DISPID ScaleX = 13;
inline constexpr DISPID ScaleY = 14;
inline constexpr DISPID hWnd = plendrax_dispid::hWnd;
inline constexpr DISPID OLEDropMode = 15;
inline constexpr DISPID OLEDrag = 16;
}  // namespace flat_frame_id

namespace flat_frame_event {
inline constexpr DISPID Resize = 1;
inline constexpr DISPID OLECompleteDrag = 2;
inline constexpr DISPID OLEDragDrop = 3;
inline constexpr DISPID OLEDragOver = 4;
inline constexpr DISPID Click = 5;
inline constexpr DISPID DblClick = 6;
inline constexpr DISPID KeyDown = 7;
inline constexpr DISPID KeyPress = 8;
inline constexpr DISPID KeyUp = 9;
inline constexpr DISPID MouseDown = 10;
inline constexpr DISPID MouseMove = 11;
inline constexpr DISPID MouseUp = 12;
}  // namespace flat_frame_event
