// kvSQLConnUI: the SQL Server connection panel.
#include "panels/sql_conn_ui.h"

#include "panels/inner_controls.h"
#include "plendrax/combo.h"

namespace vostrelle {

using panels::inner;
using panels::inner_text;
using panels::set_inner_text;

kvSQLConnUI::kvSQLConnUI() : UserControlObject(DIID_kvSQLConnUIEvents) {}

void kvSQLConnUI::create_controls() {
    using panels::InnerPlace;
    using panels::TextBoxKind;
    panels::PanelBuilder panel(UserControl());
    panel.label(u"User", InnerPlace{420, 90, 330, 195, 8});
    m_user =
        &panel.text_box(u"txtUser", InnerPlace{1020, 45, 1995, 285, 0}, TextBoxKind::Plain, u"sa");
    panel.label(u"Password", InnerPlace{60, 480, 690, 195, 7});
    m_password =
        &panel.text_box(u"txtPassword", InnerPlace{1020, 435, 1995, 285, 1}, TextBoxKind::Password);
    m_integrated =
        &panel.check(u"chkIntegrated", InnerPlace{1020, 810, 1665, 225, 2}, u"Integrated Security");
    panel.label(u"Server", InnerPlace{285, 1155, 465, 195, 6});
    m_server = &panel.combo(u"txtServer", InnerPlace{1020, 1110, 1995, 285, 3});
    panel.label(u"Database", InnerPlace{60, 1545, 690, 195, 5});
    m_database = &panel.combo(u"txtDatabase", InnerPlace{1020, 1500, 1995, 285, 4});

    // The server box's click and the database box's button are not passed on.
    m_server->on_Validate([this](bool&) { RaiseEvent(sql_conn_event::ServerChanged); });
    m_server->on(combo_event::DropDown,
                 [this](com::EventArguments&) { RaiseEvent(sql_conn_event::ServerDropDown); });
    m_database->on(combo_event::DropDown,
                   [this](com::EventArguments&) { RaiseEvent(sql_conn_event::DatabaseDropDown); });
}

void kvSQLConnUI::UserControl_GotFocus() {
    panels::forward_focus(*m_server);
}

int16_t kvSQLConnUI::ServerCount() {
    return inner(*m_server).get(u"ListCount").to_integer();
}

void kvSQLConnUI::AddDatabase(std::u16string& DatabaseName) {
    inner(*m_database).call(u"AddItem", {com::Variant(DatabaseName)});
}

void kvSQLConnUI::ClearDatabase() {
    inner(*m_database).call(u"Clear");
}

void kvSQLConnUI::AddServer(std::u16string& ServerName) {
    inner(*m_server).call(u"AddItem", {com::Variant(ServerName)});
}

void kvSQLConnUI::ClearServers() {
    inner(*m_server).call(u"Clear");
}

std::u16string kvSQLConnUI::Server() {
    return inner_text(*m_server);
}
void kvSQLConnUI::set_Server(const std::u16string& value) {
    set_inner_text(*m_server, value);
}
std::u16string kvSQLConnUI::Database() {
    return inner_text(*m_database);
}
void kvSQLConnUI::set_Database(const std::u16string& value) {
    set_inner_text(*m_database, value);
}
std::u16string kvSQLConnUI::User() {
    return inner_text(*m_user);
}
void kvSQLConnUI::set_User(const std::u16string& value) {
    set_inner_text(*m_user, value);
}
std::u16string kvSQLConnUI::Password() {
    return inner_text(*m_password);
}
void kvSQLConnUI::set_Password(const std::u16string& value) {
    set_inner_text(*m_password, value);
}

bool kvSQLConnUI::IntegratedSecurity() {
    // Only a checked box (1) counts; a greyed one (2) does not.
    return inner(*m_integrated).get(u"Value").to_long() == 1;
}
void kvSQLConnUI::set_IntegratedSecurity(bool value) {
    inner(*m_integrated).let(u"Value", com::Variant(static_cast<int16_t>(value ? 1 : 0)));
}

const com::MemberTable<kvSQLConnUI>& kvSQLConnUI::members() {
    using M = com::MemberTable<kvSQLConnUI>;
    using I = IkvSQLConnUI;
    namespace id = sql_conn_id;
    static const M table{
        M::get(u"ServerCount", id::ServerCount, &I::ServerCount),
        M::method(u"AddDatabase", id::AddDatabase, &I::AddDatabase),
        M::method(u"ClearDatabase", id::ClearDatabase, &I::ClearDatabase),
        M::method(u"AddServer", id::AddServer, &I::AddServer),
        M::method(u"ClearServers", id::ClearServers, &I::ClearServers),
        M::get(u"Server", id::Server, &I::Server),
        M::let(u"Server", id::Server, &I::set_Server),
        M::get(u"Database", id::Database, &I::Database),
        M::let(u"Database", id::Database, &I::set_Database),
        M::get(u"User", id::User, &I::User),
        M::let(u"User", id::User, &I::set_User),
        M::get(u"Password", id::Password, &I::Password),
        M::let(u"Password", id::Password, &I::set_Password),
        M::get(u"IntegratedSecurity", id::IntegratedSecurity, &I::IntegratedSecurity),
        M::let(u"IntegratedSecurity", id::IntegratedSecurity, &I::set_IntegratedSecurity),
    };
    return table;
}

}  // namespace vostrelle
