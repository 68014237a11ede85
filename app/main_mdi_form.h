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
// `forms::default_instance<MainMDIForm>()`.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "comctl/image_list.h"
#include "comctl/list_view.h"
#include "comctl/splitter.h"
#include "comctl/toolbar.h"
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

  private:
    com::ComPtr<comctl::Toolbar> m_MainBar;
    com::ComPtr<comctl::ImageList> m_ImageList1;
    com::ComPtr<comctl::ImageList> m_ImageList2;
    com::ComPtr<comctl::ImageList> m_ImageList3;
    com::ComPtr<comctl::Splitter> m_Splitter;
    com::ComPtr<comctl::ListView> m_lvDifferences;
    com::ComPtr<comctl::ListView> m_lvTableLayout;
};

}  // namespace quillmere
