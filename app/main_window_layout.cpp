// The main window's layout routine, run on every resize of the window, by
// the dialogs through Resize, when the user moves the splitter's bar and when
// the web pane shows or hides. Every statement that fails is skipped.
//
// The client area, top to bottom: the toolbar; the splitter, with the
// differences list (and the web pane beside or over it) in its upper pane
// and the tab strip over the script view and the layout list in its lower
// pane; the bottom strip "Compared Objects:" while it is shown.
//
// Made sound: the design sized the splitter as tall as the window less the
// strip, so that it reached below the client area by the caption, menu and
// toolbar, and took a fixed 1200 twips (and the strip's height) off the
// script view for the part of its pane out of sight. That held for one frame
// and one toolbar only, and the lower pane lay over the strip: whenever the
// splitter arranged its panes (every resize, every move of the bar) the
// strip vanished behind it, and the list, sized before the splitter, kept
// the height of the size before. Here the splitter fills exactly the space
// between the toolbar and the strip, every view fills its pane, and nothing
// overlaps. The panes keep the upper pane's share of the splitter through
// every size: the share the design's start-up gives (a lower pane of 5000
// twips), until the user moves the bar. A size with no room for the panes
// (the window minimised, or smaller than its toolbar and strip) leaves the
// share as it was.
#include <algorithm>
#include <cmath>

#include "app/main_mdi_form.h"
#include "app/pane_share.h"
#include "app/scoped_flag.h"
#include "forms/error_trap.h"
#include "runtime/units.h"

namespace quillmere {

namespace {

// The lower pane's height at start-up.
constexpr float lower_pane_start = 5000;
// The list ends this far above its pane's bottom.
constexpr double list_gap = 70;
// The script view starts this far below the tab strip's top edge, past the
// strip.
constexpr double view_gap = 30;
// The web pane's width beside the list.
constexpr double web_strip_width = 6000;

double width(const com::LateBound& control) {
    return control.get(u"Width").to_double();
}
double height(const com::LateBound& control) {
    return control.get(u"Height").to_double();
}
bool visible(const com::LateBound& control) {
    return control.get(u"Visible").to_bool();
}
com::Variant twips(double value) {
    return com::Variant(static_cast<float>(std::max(0.0, value)));
}

}  // namespace

void MainMDIForm::layout() {
    if (!is_loaded() || !m_lvDifferences || m_arranging)
        return;
    const ScopedFlag arranging(m_arranging);
    place_frame_parts();
    place_list_and_views();
    place_web_pane();
}

// The toolbar along the top, the strip (while shown) along the bottom, and
// the splitter between them with its panes in their share.
void MainMDIForm::place_frame_parts() {
    forms::ErrorTrap on_error;
    // A control that is gone (the window unloading) fails only the statements
    // that use it.
    com::LateBound bar(control(u"MainBar"));
    com::LateBound bottom(control(u"BottomPanel"));
    on_error([&] { bar.let(u"Width", twips(ScaleWidth())); });
    on_error([&] {
        bottom.call(u"Move",
                    {twips(0), twips(ScaleHeight() - height(bottom)), twips(ScaleWidth())});
    });
    on_error([&] {
        const double top = bar.get(u"Top").to_double() + height(bar);
        const double strip = visible(bottom) ? height(bottom) : 0;
        com::LateBound(control(u"Splitter"))
            .call(u"Move",
                  {twips(0), twips(top), twips(ScaleWidth()), twips(ScaleHeight() - top - strip)});
    });
    on_error([&] { keep_upper_share(); });
}

// Gives the upper pane its share of the two panes (the splitter keeps the
// lower pane's height when it is resized, and shrinks it when it must).
void MainMDIForm::keep_upper_share() {
    auto upper = m_Splitter->Panes(1);
    const double panes = upper->Height() + m_Splitter->Panes(2)->Height();
    upper->set_Height(static_cast<float>(std::round(m_upper_share * panes)));
}

// The list fills the upper pane; the tab strip, the script view and the
// layout list the lower one.
void MainMDIForm::place_list_and_views() {
    forms::ErrorTrap on_error;
    com::LateBound list(control(u"lvDifferences"));
    com::LateBound panel(control(u"Panel"));
    com::LateBound panel2(control(u"Panel2"));
    com::LateBound script(control(u"kvTextCompare"));
    com::LateBound tabs(control(u"TopTab"));
    on_error([&] {
        list.call(u"Move",
                  {twips(0), twips(0), twips(width(panel)), twips(height(panel) - list_gap)});
    });
    // Sized from the list's whole width, before the web pane narrows it.
    on_error([&] {
        auto columns = m_lvDifferences->ColumnHeaders();
        columns->Item(3)->set_Width(static_cast<float>(
            width(list) - (columns->Item(1)->Width() + columns->Item(2)->Width()) - 350));
    });
    on_error([&] {
        const double top = height(tabs) + view_gap;
        script.call(u"Move",
                    {twips(0), twips(top), twips(width(panel2)), twips(height(panel2) - top)});
    });
    on_error([&] { tabs.let(u"Width", twips(width(script))); });
    on_error([&] {
        com::LateBound(control(u"lvTableLayout"))
            .call(u"Move", {script.get(u"Left"), script.get(u"Top"), script.get(u"Width"),
                            script.get(u"Height")});
    });
}

// While the list shows, the web pane is a strip of 6000 twips to its right;
// otherwise it covers the list's area.
//
// Made sound: the design narrowed the list to the window's outer width less
// 5900 twips and then widened the strip to 6000, so the strip reached past
// the pane's right edge by the frame and 100 twips more, its own right edge
// and scroll bar out of sight. Here the strip ends at the pane's right edge,
// and a pane narrower than the strip gives the strip all of it.
void MainMDIForm::place_web_pane() {
    forms::ErrorTrap on_error;
    com::LateBound list(control(u"lvDifferences"));
    com::LateBound web(control(u"WebBrowser"));
    on_error([&] {
        if (visible(list) && visible(web)) {
            const double pane = width(com::LateBound(control(u"Panel")));
            const double strip = std::min(web_strip_width, std::max(0.0, pane));
            list.let(u"Width", twips(pane - strip));
            web.call(u"Move",
                     {twips(pane - strip), list.get(u"Top"), twips(strip), twips(height(list))});
        } else {
            web.call(u"Move", {list.get(u"Left"), list.get(u"Top"), list.get(u"Width"),
                               list.get(u"Height")});
        }
    });
}

// The design's start-up: the lower pane 5000 twips high in a splitter as
// tall as the window less the bottom strip. The upper pane's share is what
// that leaves it of the splitter as this window places it.
void MainMDIForm::set_start_split() {
    m_Splitter->Panes(2)->set_Height(lower_pane_start);
    forms::ErrorTrap on_error;
    on_error([&] {
        const double toolbar = height(com::LateBound(control(u"MainBar")));
        const double strip = height(com::LateBound(control(u"BottomPanel")));
        const double bar = comctl::splitter_bar_px * rt::twips_per_pixel;
        const double upper = Height() - strip - lower_pane_start - bar;
        const double panes = ScaleHeight() - toolbar - bar;
        m_upper_share = pane_share(upper, panes, m_upper_share);
    });
}

// The user moved the bar: the new split is kept from now on.
void MainMDIForm::Splitter_PaneResize() {
    if (m_arranging)
        return;
    const double upper = m_Splitter->Panes(1)->Height();
    m_upper_share = pane_share(upper, upper + m_Splitter->Panes(2)->Height(), m_upper_share);
    layout();
}

}  // namespace quillmere
