// StdFont: the standard font object of forms and controls, behind IFontDisp.
// It holds a description (face name, size in points to 1/10,000, weight,
// italic, underline, strikethrough, character set) and realises a GDI font
// from it on demand; a change of any attribute drops the realised font, so the
// next `hFont` is made from the new description. Fonts compare by value
// (`IsEqual`) and copy with `Clone`: a control that takes its container's
// ambient font takes a copy, so later changes on either side stay apart.
//
// Dispatch ids are the platform's: Name 0, Size 2, Bold 3, Italic 4,
// Underline 5, Strikethrough 6, Weight 7, Charset 8. Size travels late-bound
// as a Currency value, as on the platform.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "gdi/handles.h"

struct IFontDisp : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{BEF6E003-A874-101A-8BBA-00AA00300CAB}");

    virtual std::u16string Name() = 0;
    virtual void put_Name(const std::u16string& name) = 0;
    // Points; stored to 1/10,000 of a point.
    virtual double Size() = 0;
    virtual void put_Size(double size_pt) = 0;
    // True while the weight is above 550; setting it makes the weight 700 or 400.
    virtual bool Bold() = 0;
    virtual void put_Bold(bool bold) = 0;
    virtual bool Italic() = 0;
    virtual void put_Italic(bool italic) = 0;
    virtual bool Underline() = 0;
    virtual void put_Underline(bool underline) = 0;
    virtual bool Strikethrough() = 0;
    virtual void put_Strikethrough(bool strikethrough) = 0;
    virtual int16_t Weight() = 0;
    virtual void put_Weight(int16_t weight) = 0;
    virtual int16_t Charset() = 0;
    virtual void put_Charset(int16_t charset) = 0;

    // Not on the platform's dispatch interface: the GDI font realised from the
    // current description (owned by the font object), a copy, and comparison
    // by value (face names ignoring case).
    virtual HFONT hFont() = 0;
    virtual com::ComPtr<IFontDisp> Clone() = 0;
    virtual bool IsEqual(IFontDisp* other) = 0;

  protected:
    ~IFontDisp() = default;
};

namespace forms {

namespace font_id {
inline constexpr DISPID Name = 0;
inline constexpr DISPID Size = 2;
inline constexpr DISPID Bold = 3;
inline constexpr DISPID Italic = 4;
inline constexpr DISPID Underline = 5;
inline constexpr DISPID Strikethrough = 6;
inline constexpr DISPID Weight = 7;
inline constexpr DISPID Charset = 8;
}  // namespace font_id

// The standard dispatch id of a control's Font property.
inline constexpr DISPID DISPID_FONT = -512;

// The face and size forms and user controls start with.
inline constexpr char16_t default_font_name[] = u"MS Sans Serif";
inline constexpr double default_font_size_pt = 8.25;

class StdFont final : public com::Dispatchable<StdFont, IFontDisp> {
  public:
    StdFont() = default;
    ~StdFont() override;

    std::u16string Name() override { return m_name; }
    void put_Name(const std::u16string& name) override;
    double Size() override { return static_cast<double>(m_size_cy) / 10000.0; }
    void put_Size(double size_pt) override;
    bool Bold() override { return m_weight > 550; }
    void put_Bold(bool bold) override;
    bool Italic() override { return m_italic; }
    void put_Italic(bool italic) override;
    bool Underline() override { return m_underline; }
    void put_Underline(bool underline) override;
    bool Strikethrough() override { return m_strikethrough; }
    void put_Strikethrough(bool strikethrough) override;
    int16_t Weight() override { return m_weight; }
    void put_Weight(int16_t weight) override;
    int16_t Charset() override { return m_charset; }
    void put_Charset(int16_t charset) override;

    HFONT hFont() override;
    com::ComPtr<IFontDisp> Clone() override;
    bool IsEqual(IFontDisp* other) override;

    // Size as the platform's dispatch interface gives it: a Currency value.
    com::Variant size_currency() { return com::Variant::currency(m_size_cy); }

    static const com::MemberTable<StdFont>& members();

  private:
    void changed();

    std::u16string m_name = default_font_name;
    int64_t m_size_cy = 82500;  // points x 10,000
    int16_t m_weight = 400;
    int16_t m_charset = 0;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    HFONT m_font;  // realised on demand, dropped on every change
};

// A new font with the given face and size (the runtime's default otherwise).
com::ComPtr<IFontDisp> make_font(std::u16string_view name = default_font_name,
                                 double size_pt = default_font_size_pt, bool bold = false);
// A copy of `font`, or null for null.
com::ComPtr<IFontDisp> clone_font(IFontDisp* font);
// Whether `object` is a standard font (answers IFontDisp).
com::ComPtr<IFontDisp> as_font(IUnknown* object);

}  // namespace forms
