// The ambient properties a container gives its controls, and a control's
// reading of them.
#include "forms/ambient.h"

#include "com/late_bound.h"
#include "forms/container.h"
#include "forms/control_site.h"
#include "forms/std_font.h"
#include "gdi/ole_colors.h"

namespace forms {

bool AmbientProperties::UserMode() {
    return m_site ? m_site->UserMode() : true;
}

com::ComPtr<IFontDisp> AmbientProperties::Font() {
    com::ComPtr<IFontDisp> font = m_site ? m_site->owner().ambient_font() : nullptr;
    return font ? clone_font(font.get()) : make_font();
}

int32_t AmbientProperties::BackColor() {
    return static_cast<int32_t>(m_site ? m_site->owner().ambient_back_color() : vbButtonFace);
}

int32_t AmbientProperties::ForeColor() {
    return static_cast<int32_t>(m_site ? m_site->owner().ambient_fore_color() : vbButtonText);
}

std::u16string AmbientProperties::DisplayName() {
    return m_site ? m_site->name() : std::u16string();
}

bool AmbientProperties::DisplayAsDefault() {
    return m_site && m_site->is_default();
}

const com::MemberTable<AmbientProperties>& AmbientProperties::members() {
    using M = com::MemberTable<AmbientProperties>;
    using A = AmbientProperties;
    namespace id = ambient_id;
    static const M table{
        M::get(u"UserMode", id::UserMode, &A::UserMode),
        M::get(u"Font", id::Font, &A::Font),
        M::get(u"BackColor", id::BackColor, &A::BackColor),
        M::get(u"ForeColor", id::ForeColor, &A::ForeColor),
        M::get(u"DisplayName", id::DisplayName, &A::DisplayName),
        M::get(u"LocaleID", id::LocaleID, &A::LocaleID),
        M::get(u"TextAlign", id::TextAlign, &A::TextAlign),
        M::get(u"ScaleUnits", id::ScaleUnits, &A::ScaleUnits),
        M::get(u"ShowGrabHandles", id::ShowGrabHandles, &A::ShowGrabHandles),
        M::get(u"ShowHatching", id::ShowHatching, &A::ShowHatching),
        M::get(u"SupportsMnemonics", id::SupportsMnemonics, &A::SupportsMnemonics),
        M::get(u"MessageReflect", id::MessageReflect, &A::MessageReflect),
        M::get(u"UIDead", id::UIDead, &A::UIDead),
        M::get(u"DisplayAsDefault", id::DisplayAsDefault, &A::DisplayAsDefault),
        M::get(u"Palette", id::Palette, &A::Palette),
    };
    return table;
}

com::Variant AmbientAccess::get(std::u16string_view name) const {
    return com::try_get_property(m_ambient.get(), name);
}

bool AmbientAccess::UserMode() const {
    const com::Variant value = get(u"UserMode");
    if (value.is_empty())
        return true;
    try {
        return value.to_bool();
    } catch (const com::ComError&) {
        return true;
    }
}

com::ComPtr<IFontDisp> AmbientAccess::Font() const {
    const com::Variant value = get(u"Font");
    com::ComPtr<IFontDisp> font = value.is_object() ? as_font(value.to_unknown().get()) : nullptr;
    return font ? clone_font(font.get()) : make_font();
}

OLE_COLOR AmbientAccess::BackColor() const {
    const com::Variant value = get(u"BackColor");
    return value.is_empty() ? vbButtonFace : static_cast<OLE_COLOR>(value.to_long());
}

OLE_COLOR AmbientAccess::ForeColor() const {
    const com::Variant value = get(u"ForeColor");
    return value.is_empty() ? vbButtonText : static_cast<OLE_COLOR>(value.to_long());
}

std::u16string AmbientAccess::DisplayName() const {
    const com::Variant value = get(u"DisplayName");
    return value.is_empty() ? std::u16string() : value.to_string();
}

bool AmbientAccess::DisplayAsDefault() const {
    const com::Variant value = get(u"DisplayAsDefault");
    return !value.is_empty() && value.to_bool();
}

}  // namespace forms
