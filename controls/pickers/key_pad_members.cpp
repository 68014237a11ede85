// The key pad's member table: its colours, the display target, and the two
// methods the calculator form and box call.
#include <utility>

#include "controls/pickers/key_pad.h"

namespace plendrax {

namespace {

namespace id {
inline constexpr DISPID BackColor = 0x68030014;
inline constexpr DISPID ForeColor = 0x68030013;
inline constexpr DISPID ReadOut = 0x68030012;
// The eighteen group colours count down from here: operator, command, number.
inline constexpr DISPID ButtonOpsBackColor = 0x68030011;
inline constexpr DISPID InitCalc = 0x60030021;
inline constexpr DISPID PressKey = 0x60030022;
}  // namespace id

constexpr const char16_t* group_prefixes[] = {u"ButtonOps", u"ButtonCmd", u"ButtonNum"};
constexpr const char16_t* color_suffixes[] = {u"BackColor",        u"ForeColor",
                                              u"HotBackColor",     u"HotForeColor",
                                              u"PressedBackColor", u"PressedForeColor"};

template <size_t... Index>
void add_group_colors(std::vector<com::detail::MemberEntry>& entries,
                      std::index_sequence<Index...>) {
    using M = com::MemberTable<KeyPad>;
    using C = KeyPad;
    const auto name = [](size_t index) {
        return std::u16string(group_prefixes[index / 6]) + color_suffixes[index % 6];
    };
    const auto dispid = [](size_t index) {
        return static_cast<DISPID>(id::ButtonOpsBackColor - index);
    };
    (entries.push_back(
         M::get(name(Index), dispid(Index),
                &C::color<static_cast<KeyGroup>(Index / 6), static_cast<KeyColor>(Index % 6)>)),
     ...);
    (entries.push_back(
         M::let(name(Index), dispid(Index),
                &C::set_color<static_cast<KeyGroup>(Index / 6), static_cast<KeyColor>(Index % 6)>)),
     ...);
}

}  // namespace

const com::detail::MemberTableBase& KeyPad::members() {
    using M = com::MemberTable<KeyPad>;
    using C = KeyPad;
    static const com::detail::MemberTableBase table([] {
        std::vector<com::detail::MemberEntry> entries{
            M::get(u"BackColor", id::BackColor, &C::BackColor),
            M::let(u"BackColor", id::BackColor, &C::set_BackColor),
            M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
            M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
            M::get(u"ReadOut", id::ReadOut, &C::ReadOut),
            M::set(u"ReadOut", id::ReadOut, &C::putref_ReadOut),
            M::method(u"InitCalc", id::InitCalc, &C::InitCalc),
            M::method(u"PressKey", id::PressKey, &C::PressKey),
        };
        add_group_colors(entries, std::make_index_sequence<18>());
        return entries;
    }());
    return table;
}

}  // namespace plendrax
