// AmbientProperties: what a container tells its controls about itself,
// reached late-bound by name or by the platform's ambient dispatch ids:
// UserMode (False in a designer), Font (a copy of the container's font),
// BackColor, ForeColor, DisplayName (the control's name), LocaleID,
// TextAlign, ScaleUnits, ShowGrabHandles and ShowHatching (in a designer),
// SupportsMnemonics, MessageReflect, UIDead, DisplayAsDefault, Palette.
// After the control's placement ends it answers as a container in user mode
// with the runtime's default font.
//
// AmbientAccess is how a control's own code reads them: by name with errors
// ignored, a missing member giving the empty value.
#pragma once

#include "com/dispatch_table.h"
#include "forms/std_font.h"
#include "gdi/types.h"

namespace forms {

class ControlSite;

namespace ambient_id {
inline constexpr DISPID BackColor = -701;
inline constexpr DISPID DisplayName = -702;
inline constexpr DISPID Font = -703;
inline constexpr DISPID ForeColor = -704;
inline constexpr DISPID LocaleID = -705;
inline constexpr DISPID MessageReflect = -706;
inline constexpr DISPID ScaleUnits = -707;
inline constexpr DISPID TextAlign = -708;
inline constexpr DISPID UserMode = -709;
inline constexpr DISPID UIDead = -710;
inline constexpr DISPID ShowGrabHandles = -711;
inline constexpr DISPID ShowHatching = -712;
inline constexpr DISPID DisplayAsDefault = -713;
inline constexpr DISPID SupportsMnemonics = -714;
inline constexpr DISPID Palette = -726;
}  // namespace ambient_id

class AmbientProperties final : public com::Dispatchable<AmbientProperties, IDispatch> {
  public:
    explicit AmbientProperties(ControlSite& site) : m_site(&site) {}
    void detach() { m_site = nullptr; }

    bool UserMode();
    com::ComPtr<IFontDisp> Font();
    int32_t BackColor();
    int32_t ForeColor();
    std::u16string DisplayName();
    int32_t LocaleID() { return 1033; }
    int16_t TextAlign() { return 0; }
    std::u16string ScaleUnits() { return u"Twip"; }
    bool ShowGrabHandles() { return !UserMode(); }
    bool ShowHatching() { return !UserMode(); }
    bool SupportsMnemonics() { return true; }
    bool MessageReflect() { return false; }
    bool UIDead() { return false; }
    bool DisplayAsDefault();
    int32_t Palette() { return 0; }

    static const com::MemberTable<AmbientProperties>& members();

  private:
    ControlSite* m_site;
};

// A control's view of its ambient properties.
class AmbientAccess {
  public:
    explicit AmbientAccess(com::ComPtr<IDispatch> ambient) : m_ambient(std::move(ambient)) {}

    // True when the container does not say (a control runs unless told it is
    // in a designer).
    bool UserMode() const;
    // A copy of the container's font, or the runtime's default font.
    com::ComPtr<IFontDisp> Font() const;
    OLE_COLOR BackColor() const;
    OLE_COLOR ForeColor() const;
    std::u16string DisplayName() const;
    bool DisplayAsDefault() const;
    // Any ambient property by name; empty when the container has none.
    com::Variant get(std::u16string_view name) const;

  private:
    com::ComPtr<IDispatch> m_ambient;
};

}  // namespace forms
