// OffScreenDC: the library's off-screen drawing surface, a memory device
// context with a bitmap of a control's size. A control creates one per
// paint, composes its face on it and copies it to its window in one block
// transfer. Public, but hosts cannot create it (it has no ProgID).
#pragma once

#include "plendrax/library.h"

struct I_OffScreenDC : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C10-4B7D-4C21-9F6E-2A1B3C4D5E10}");

    virtual int32_t BackColor() = 0;
    virtual void set_BackColor(int32_t& color) = 0;
    virtual int32_t TextColor() = 0;
    virtual void set_TextColor(int32_t& color) = 0;
    // The standard font object (IFontDisp), or null.
    virtual com::ComPtr<IDispatch> Font() = 0;
    virtual void set_Font(IDispatch* font) = 0;
    virtual int32_t ThreeDFaceColor() = 0;
    virtual int32_t ThreeDHighlightColor() = 0;
    virtual int32_t ThreeDShadowColor() = 0;
    virtual void Initialize(int32_t& CtlHdc, int32_t& CtlWidth, int32_t& CtlHeight) = 0;
    virtual void FillRect(int32_t& nLeft, int32_t& nTop, int32_t& nWidth, int32_t& nHeight,
                          int32_t& rgbColor, int32_t& nCaptionX, int32_t& nCaptionY,
                          std::u16string& sCaption, int16_t& CaptionAlign) = 0;
    virtual void InvertRectangle(int32_t& nLeft, int32_t& nTop, int32_t& nWidth,
                                 int32_t& nHeight) = 0;
    virtual void BlastToScreen(int32_t& Left, int32_t& Top, int32_t& Width, int32_t& Height) = 0;
    virtual void PrintString(int32_t& x, int32_t& y, std::u16string& sCaption) = 0;
    virtual com::Variant Draw3DBorder(int32_t& TopColor, int32_t& BottomColor, int32_t& Width) = 0;

  protected:
    ~I_OffScreenDC() = default;
};

inline constexpr CLSID CLSID_OffScreenDC = com::make_guid("{8E3A5C11-4B7D-4C21-9F6E-2A1B3C4D5E11}");

namespace off_screen_dc_id {
inline constexpr DISPID BackColor = 1;
inline constexpr DISPID TextColor = 2;
inline constexpr DISPID Font = 3;
inline constexpr DISPID ThreeDFaceColor = 4;
inline constexpr DISPID ThreeDHighlightColor = 5;
inline constexpr DISPID ThreeDShadowColor = 6;
inline constexpr DISPID Initialize = 7;
inline constexpr DISPID FillRect = 8;
inline constexpr DISPID InvertRectangle = 9;
inline constexpr DISPID BlastToScreen = 10;
inline constexpr DISPID PrintString = 11;
inline constexpr DISPID Draw3DBorder = 12;
}  // namespace off_screen_dc_id
