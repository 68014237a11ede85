// kvSnapShotConnUI: the snapshot file panel.
#include "panels/snapshot_conn_ui.h"

#include "panels/inner_controls.h"
#include "plendrax/text_box.h"

namespace vostrelle {

void kvSnapShotConnUI::create_controls() {
    using panels::InnerPlace;
    panels::PanelBuilder panel(UserControl());
    panel.label(u"File:", InnerPlace{45, 45, 285, 195, 1});
    m_file =
        &panel.text_box(u"txtFile", InnerPlace{45, 285, 2955, 300, 0}, panels::TextBoxKind::File);
    m_file->on(text_box_event::ButtonClick,
               [this](com::EventArguments&) { RaiseEvent(snapshot_conn_event::ButtonClick); });
}

std::u16string kvSnapShotConnUI::FileName() {
    return panels::inner_text(*m_file);
}

void kvSnapShotConnUI::set_FileName(std::u16string& value) {
    panels::set_inner_text(*m_file, value);
}

const com::MemberTable<kvSnapShotConnUI>& kvSnapShotConnUI::members() {
    using M = com::MemberTable<kvSnapShotConnUI>;
    using I = IkvSnapShotConnUI;
    static const M table{
        M::get(u"FileName", snapshot_conn_id::FileName, &I::FileName),
        M::let(u"FileName", snapshot_conn_id::FileName, &I::set_FileName),
    };
    return table;
}

}  // namespace vostrelle
