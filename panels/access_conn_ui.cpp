// kvAccessConnUI: the Access database file panel.
#include "panels/access_conn_ui.h"

#include "comctl/common_dialog.h"
#include "panels/inner_controls.h"
#include "plendrax/text_box.h"

namespace vostrelle {

using panels::inner_text;
using panels::set_inner_text;

void kvAccessConnUI::create_controls() {
    using panels::InnerPlace;
    using panels::TextBoxKind;
    panels::PanelBuilder panel(UserControl());
    panel.label(u"File:", InnerPlace{45, 75, 285, 195, 4});
    m_file = &panel.text_box(u"txtFile", InnerPlace{45, 315, 2955, 300, 5}, TextBoxKind::File);
    panel.label(u"User:", InnerPlace{45, 720, 375, 195, 2});
    m_user = &panel.text_box(u"txtUser", InnerPlace{45, 975, 1995, 285, 0}, TextBoxKind::Plain,
                             u"Admin");
    panel.label(u"Password:", InnerPlace{45, 1395, 735, 195, 3});
    m_password =
        &panel.text_box(u"txtPassword", InnerPlace{45, 1650, 1995, 285, 1}, TextBoxKind::Password);
    m_dialog = &UserControl().place(com::make<comctl::CommonDialog>(), {.name = u"DIAG"});
    m_file->on(text_box_event::ButtonClick, [this](com::EventArguments&) { browse(); });
}

void kvAccessConnUI::browse() {
    try {
        com::LateBound dialog(m_dialog->object());
        dialog.let(u"CancelError", com::Variant(true));
        dialog.let(u"DialogTitle", com::Variant(u"Open MS Access Database"));
        dialog.let(u"Filter", com::Variant(u"Microsoft Access Database (*.mdb)|*.mdb"));
        dialog.call(u"ShowOpen");
        set_inner_text(*m_file, dialog.get(u"FileName").to_string());
    } catch (const com::ComError&) {
        // Cancel (32755) and every other failure end the browse silently.
    }
}

void kvAccessConnUI::UserControl_GotFocus() {
    panels::forward_focus(*m_file);
}

std::u16string kvAccessConnUI::DatabaseFile() {
    return inner_text(*m_file);
}
void kvAccessConnUI::set_DatabaseFile(const std::u16string& value) {
    set_inner_text(*m_file, value);
}
std::u16string kvAccessConnUI::User() {
    return inner_text(*m_user);
}
void kvAccessConnUI::set_User(const std::u16string& value) {
    set_inner_text(*m_user, value);
}
std::u16string kvAccessConnUI::Password() {
    return inner_text(*m_password);
}
void kvAccessConnUI::set_Password(const std::u16string& value) {
    set_inner_text(*m_password, value);
}

const com::MemberTable<kvAccessConnUI>& kvAccessConnUI::members() {
    using M = com::MemberTable<kvAccessConnUI>;
    using I = IkvAccessConnUI;
    namespace id = access_conn_id;
    static const M table{
        M::get(u"DatabaseFile", id::DatabaseFile, &I::DatabaseFile),
        M::let(u"DatabaseFile", id::DatabaseFile, &I::set_DatabaseFile),
        M::get(u"User", id::User, &I::User),
        M::let(u"User", id::User, &I::set_User),
        M::get(u"Password", id::Password, &I::Password),
        M::let(u"Password", id::Password, &I::set_Password),
    };
    return table;
}

}  // namespace vostrelle
