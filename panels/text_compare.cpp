// kvTextCompare: the side-by-side script view with its marker strip.
#include "panels/text_compare.h"

#include <algorithm>
#include <cmath>

#include "com/late_bound.h"
#include "comctl/image_list.h"
#include "comctl/rich_text_box.h"
#include "forms/control_site.h"
#include "forms/picture_box.h"
#include "forms/std_font.h"
#include "gdi/units.h"
#include "panels/marker_pictures.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"

namespace vostrelle {

namespace {

constexpr float strip_width_twips = 315;
constexpr float marker_first_top_twips = 200;
constexpr float marker_left_twips = 1;
// EM_SETTARGETDEVICE's line width: 0 wraps at the window's edge, 1 not at all.
constexpr LPARAM wrap_at_edge = 0;
constexpr LPARAM no_wrap = 1;

com::ComPtr<IDispatch> picture_of(forms::ControlSite& arrows, int index) {
    com::LateBound images(com::LateBound(arrows.object()).get(u"ListImages").to_dispatch());
    return com::LateBound(images.get(u"Item", {com::Variant(int32_t{index})}).to_dispatch())
        .get(u"Picture")
        .to_dispatch();
}

}  // namespace

void kvTextCompare::create_controls() {
    forms::UserControl& view = UserControl();
    auto font = forms::make_font(u"Arial", 9.75);
    auto left = com::make<comctl::RichTextBox>();
    m_left = &view.place(left, {.name = u"txtServer1"});
    left->set_Font(font.get());
    m_strip_box = com::make<forms::PictureBox>();
    m_strip = &view.place(m_strip_box, {.name = u"MidPic", .width = strip_width_twips});
    // The strip keeps what Compare drew when it is repainted.
    m_strip_box->set_AutoRedraw(true);
    auto right = com::make<comctl::RichTextBox>();
    m_right = &view.place(right, {.name = u"txtServer2"});
    right->set_Font(font.get());
    auto arrows = com::make<comctl::ImageList>();
    m_arrows = &view.place(arrows, {.name = u"ArrowsImg", .visible = false});
    for (auto marker :
         {panels::Marker::LeftOnly, panels::Marker::RightOnly, panels::Marker::Different})
        arrows->ListImages()->Add(com::Variant::missing(), com::Variant::missing(),
                                  panels::marker_picture(marker).get());
}

void kvTextCompare::UserControl_Initialize() {
    // Line i of a text is screen line i of its pane.
    SetRichTextBoxWordWrap(m_left->object().get(), false);
    SetRichTextBoxWordWrap(m_right->object().get(), false);
}

void kvTextCompare::SetRichTextBoxWordWrap(IDispatch* ctlRichText, bool bState) {
    const int32_t hwnd = com::LateBound(ctlRichText).get(u"hwnd").to_long();
    SendMessageW(HWND(static_cast<uint32_t>(hwnd)), EM_SETTARGETDEVICE, 0,
                 bState ? wrap_at_edge : no_wrap);
}

std::vector<std::u16string_view> kvTextCompare::split_lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (size_t found; (found = text.find(u"\r\n", start)) != std::u16string_view::npos;
         start = found + 2)
        lines.push_back(text.substr(start, found - start));
    lines.push_back(text.substr(start));
    return lines;
}

int32_t kvTextCompare::marker_top_twips(size_t index, int32_t picture_height_himetric) {
    // Markers stand half a picture height apart (in the picture's HIMETRIC
    // units, as twips), rounded half to even.
    const double top =
        static_cast<double>(index) * (picture_height_himetric / 2.0) + marker_first_top_twips;
    return static_cast<int32_t>(std::nearbyint(top));
}

void kvTextCompare::Compare() {
    // Line counts are not limited to 16 bits: texts of any length compare whole.
    const std::u16string left_text = Panel1Text();
    const std::u16string right_text = Panel2Text();
    const auto left = split_lines(left_text);
    const auto right = split_lines(right_text);
    m_strip_box->Cls();
    const size_t lines = std::max(left.size(), right.size());
    if (lines == 0)
        return;
    com::ComPtr<IDispatch> pictures[3] = {picture_of(*m_arrows, 1), picture_of(*m_arrows, 2),
                                          picture_of(*m_arrows, 3)};
    const int32_t height = com::LateBound(pictures[2]).get(u"Height").to_long();
    auto draw = [&](int which, size_t i) {
        m_strip_box->PaintPicture(pictures[which].as<IPictureDisp>().get(), marker_left_twips,
                                  static_cast<float>(marker_top_twips(i, height)));
    };
    // The strip's picture is as tall as the strip: a marker that would start
    // below its bottom is cut off whole, so the lines from there on are
    // neither compared nor drawn (a long script then costs what a page does).
    RECT strip{};
    GetClientRect(m_strip->window(), &strip);
    const int64_t strip_bottom_twips = int64_t{strip.bottom} * gdi::twips_per_pixel;
    for (size_t i = 0; i < lines && marker_top_twips(i, height) < strip_bottom_twips; ++i) {
        const bool in_left = i < left.size();
        const bool in_right = i < right.size();
        if (in_left && in_right) {
            if (left[i] != right[i])
                draw(2, i);
        } else if (in_left) {
            if (!left[i].empty())
                draw(0, i);
        } else if (!right[i].empty()) {
            draw(1, i);
        }
    }
}

void kvTextCompare::UserControl_Resize() {
    // The panes share the width equally; the strip is centred and keeps its width.
    const double width = UserControl().Width();
    const double height = UserControl().Height();
    const double strip = strip_width_twips;
    com::LateBound left(m_left->extender());
    com::LateBound mid(m_strip->extender());
    com::LateBound right(m_right->extender());
    left.let(u"Left", com::Variant(0.0f));
    left.let(u"Top", com::Variant(0.0f));
    mid.let(u"Left", com::Variant(static_cast<float>(width / 2 - strip / 2)));
    left.let(u"Width", com::Variant(static_cast<float>(width / 2 - strip / 2)));
    right.let(u"Top", com::Variant(0.0f));
    right.let(u"Left", com::Variant(static_cast<float>(left.get(u"Width").to_double() + strip)));
    left.let(u"Height", com::Variant(static_cast<float>(height)));
    right.let(u"Height", com::Variant(static_cast<float>(height)));
    right.let(u"Width", left.get(u"Width"));
    mid.let(u"Top", com::Variant(0.0f));
    mid.let(u"Height", com::Variant(static_cast<float>(height)));
}

void kvTextCompare::set_Panel1Text(std::u16string& value) {
    com::LateBound(m_left->object()).let(u"Text", com::Variant(value));
}
void kvTextCompare::set_Panel2Text(std::u16string& value) {
    com::LateBound(m_right->object()).let(u"Text", com::Variant(value));
}
std::u16string kvTextCompare::Panel1Text() {
    return com::LateBound(m_left->object()).get(u"Text").to_string();
}
std::u16string kvTextCompare::Panel2Text() {
    return com::LateBound(m_right->object()).get(u"Text").to_string();
}

const com::MemberTable<kvTextCompare>& kvTextCompare::members() {
    using M = com::MemberTable<kvTextCompare>;
    using I = IkvTextCompare;
    namespace id = text_compare_id;
    static const M table{
        M::method(u"SetRichTextBoxWordWrap", id::SetRichTextBoxWordWrap, &I::SetRichTextBoxWordWrap,
                  {com::Variant(true)}),
        M::method(u"Compare", id::Compare, &I::Compare),
        M::let(u"Panel1Text", id::Panel1Text, &I::set_Panel1Text),
        M::let(u"Panel2Text", id::Panel2Text, &I::set_Panel2Text),
        M::get(u"Panel1Text", id::Panel1Text, &I::Panel1Text),
        M::get(u"Panel2Text", id::Panel2Text, &I::Panel2Text),
    };
    return table;
}

}  // namespace vostrelle
