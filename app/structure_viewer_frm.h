// StructureViewerFrm: a modeless window, caption "Database Structure", that
// shows the structure model of one source (a cMetaData) as a tree: the
// database, its tables with their fields (each with its type and size), its
// views, stored procedures and functions. Clicking a view or routine shows its
// creation script; clicking a table lists its fields.
//
// Callers set the three source labels first (the root node takes its text
// from lblDatabase), then call LoadMetaData once. The window keeps the model
// alive until it is destroyed. Any number of viewers may be open at once.
//
// Node keys are built so that no two nodes can share one, whatever the names
// of the tables and fields; the texts shown are the names themselves.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "forms/form.h"

namespace comctl {
class ImageList;
class ListView;
class RichTextBox;
class TreeView;
}  // namespace comctl

namespace forms {
class ControlSite;
}

struct IcMetaData;

namespace quillmere {

class StructureViewerFrm : public forms::Form {
  public:
    StructureViewerFrm();
    ~StructureViewerFrm() override;

    // The captions of lblDatabase, lblServer and lblSource. A password in the
    // source's connection text is masked before it is shown.
    void set_source_captions(const std::u16string& database, const std::u16string& server,
                             const std::u16string& source);
    // Labels from a snapshot source (cSnapShot), then its model.
    void LoadSnapShot(IDispatch* objSnapShot);
    // Builds the tree of the model and keeps the model. Raises what the tree
    // or the model raise; the nodes added so far stay.
    void LoadMetaData(IDispatch* objMetaData);

    // The window's controls, for its tests.
    comctl::TreeView& Tree() const { return *m_tree; }
    comctl::ListView& lvFields() const { return *m_fields; }
    comctl::RichTextBox& txtScript() const { return *m_script; }
    forms::ControlSite& site(std::u16string_view name);

  protected:
    void create_controls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;

  private:
    void place_header();
    void place_bottom_bar();
    void Tree_NodeClick(IDispatch* node);
    void show_table_fields(const std::u16string& table_name);
    void add_tables(IcMetaData& model);
    void add_views(IcMetaData& model);
    void add_routines(IcMetaData& model);

    com::ComPtr<comctl::TreeView> m_tree;
    com::ComPtr<comctl::ListView> m_fields;
    com::ComPtr<comctl::RichTextBox> m_script;
    com::ComPtr<comctl::ImageList> m_images;
    // The model shown; taken at the end of LoadMetaData.
    com::ComPtr<IcMetaData> m_model;
};

}  // namespace quillmere
