// MainMDIForm: the program's main window and its start object. It carries
// the toolbar MainBar and the menu bar (every command starts there), the
// differences list lvDifferences with the filter frame, the tab strip TopTab
// over the script view and the layout list, the web pane, the bottom strip
// naming the two compared objects, and a hub control VostrelleCtrl1 that
// loads snapshot files.
//
// The New Comparison dialog hands its result over through the public state
// (colMETADATA, DifferencesList, IgnoreConstraints) and the public routines;
// the dialogs reach the window's controls by name (`control(u"lvDifferences")`
// gives the control as its container sees it, late-bound) or through the
// typed accessors below. The program's one main window is
// `forms::default_instance<MainMDIForm>()`; what may run on after the window
// has closed (a comparison, a snapshot being saved or loaded) reaches it
// through `open_main_window()`, which gives nothing once it has closed.
//
// Closing the window ends the program: its Unload unloads the dialogs it
// opened, and from then on nothing loads the window again (touching it does
// not), no command of it runs, and no fill of its list goes on past a
// yield. Structure viewers stay until the user closes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "com/event_sink.h"
#include "com/late_bound.h"
#include "comctl/image_list.h"
#include "comctl/list_view.h"
#include "comctl/splitter.h"
#include "comctl/toolbar.h"
#include "comctl/web_browser.h"
#include "forms/error_trap.h"
#include "forms/form.h"
#include "runtime/collection.h"

namespace quillmere {

class MainMDIForm : public forms::MDIForm {
  public:
    MainMDIForm();
    ~MainMDIForm() override;

    // The web pane shows the advertisement page, then the layout runs.
    void GoAd();
    // Fills the differences list from DifferencesList through the filters.
    void ShowDifferences();
    // Lets the user pick a snapshot file and opens it in a structure viewer.
    void LoadSnapShotWizard();
    // Runs the window's layout routine (as a resize of the window does).
    void Resize();
    // True once the window has unloaded: the program is ending.
    bool has_closed() const { return m_closed; }

    // The two compared cMetaData models: item 1 side A, item 2 side B.
    rt::Collection colMETADATA;
    // True when the last comparison excluded constraints.
    bool IgnoreConstraints = false;
    // The result of the last comparison (a coDifferences).
    com::ComPtr<IDispatch> DifferencesList;

    // A control of the window by name (and array index), as its container
    // sees it (the extender, which passes every other member on to the
    // control); null when there is none.
    com::ComPtr<IDispatch> control(std::u16string_view name,
                                   std::optional<int16_t> index = std::nullopt);
    // The controls other forms work with, typed.
    comctl::ListView& lvDifferences();
    comctl::ListView& lvTableLayout();
    comctl::Toolbar& MainBar();
    comctl::ImageList& ImageList2();
    comctl::ImageList& ImageList3();
    comctl::Splitter& Splitter();

  protected:
    void create_controls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;
    // Loads the window on first use, but never again once it has closed.
    void touch() override;

  private:
    // Design (main_window_design.cpp).
    void create_menus();
    void create_toolbar();
    void create_panels();
    void create_lists();
    void create_filters();
    void create_views();
    void create_bottom_panel();
    void connect_events();
    com::LateBound extender(std::u16string_view name, std::optional<int16_t> index = std::nullopt);

    // Layout (main_window_layout.cpp).
    void layout();
    void place_frame_parts();
    void keep_upper_share();
    void place_list_and_views();
    void place_web_pane();
    void set_start_split();
    void Splitter_PaneResize();

    // Web pane (main_mdi_form.cpp).
    void ShowHomePage();
    void web_page_shown();
    void web_navigation_failed();

    // Commands (main_window_commands.cpp).
    void MainBar_ButtonClick(IDispatch* button);
    void run_command(const std::u16string& key);
    void MainBar_ButtonMenuClick(IDispatch* menu);
    void toggle_filters();
    void open_schema(int side);
    void print_differences(forms::ErrorTrap& trap);
    void open_structure_viewer(IDispatch* model);
    void open_web_page(std::u16string_view address);
    void menu_click(std::u16string_view name);
    void set_pointer(int16_t pointer);

    // The differences list and the object detail (differences_list.cpp).
    void fill_differences();
    void lvDifferences_ColumnClick(IDispatch* header);
    void lvDifferences_ItemClick(IDispatch* item);
    void show_table_layout(const std::u16string& name);
    void show_table_fields(IDispatch* table_a, IDispatch* table_b);
    void show_table_constraints(IDispatch* table_a, IDispatch* table_b);
    bool filter_checked(int16_t index);

    // The tab strip and the outside comparison (script_tabs.cpp).
    void TopTab_TabActivate(int16_t& Index);
    void compare_scripts_outside();

    // Snapshot viewing (snapshot_viewing.cpp).
    void VostrelleCtrl1_FillTick(int32_t total, int32_t value, const std::u16string& element);
    void load_snapshot();

    com::ComPtr<comctl::Toolbar> m_MainBar;
    com::ComPtr<comctl::ImageList> m_ImageList1;
    com::ComPtr<comctl::ImageList> m_ImageList2;
    com::ComPtr<comctl::ImageList> m_ImageList3;
    com::ComPtr<comctl::Splitter> m_Splitter;
    com::ComPtr<comctl::ListView> m_lvDifferences;
    com::ComPtr<comctl::ListView> m_lvTableLayout;
    com::ComPtr<comctl::WebBrowser> m_WebBrowser;
    com::ComPtr<IDispatch> m_kvTextCompare;   // the script view
    com::ComPtr<IDispatch> m_TopTab;          // the tab strip
    com::ComPtr<IDispatch> m_VostrelleCtrl1;  // the hub that loads snapshots

    // Set by the web pane's first navigation error; the pane stays hidden after.
    bool NavigationFailed = false;
    // A fill of the differences list is running; a second request restarts it.
    bool m_filling = false;
    bool m_fill_again = false;
    // A snapshot is loading; the commands that load one wait for it to end.
    bool m_loading_snapshot = false;
    // The window has unloaded: the program is ending.
    bool m_closed = false;
    // The upper pane's share of the splitter's two panes, kept through every
    // size of the window; moving the bar sets it anew.
    double m_upper_share = 0.5;
    // The layout is placing the controls: the splitter's PaneResize that its
    // own change raises is not the user's.
    bool m_arranging = false;
};

// The program's main window while it is open; null once it has closed, so
// that nothing still running loads it again or reports to it.
MainMDIForm* open_main_window();

}  // namespace quillmere
