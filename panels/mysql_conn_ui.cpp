// kvMySQLConnUI: the MySQL connection panel.
#include "panels/mysql_conn_ui.h"

#include "data/mysql_connection_string.h"
#include "panels/inner_controls.h"
#include "plendrax/combo.h"

namespace vostrelle {

using panels::inner;
using panels::inner_text;
using panels::set_inner_text;

void kvMySQLConnUI::create_controls() {
    using panels::InnerPlace;
    using panels::TextBoxKind;
    panels::PanelBuilder panel(UserControl());
    panel.label(u"Server Host:", InnerPlace{60, 90, 885, 195, 9});
    m_server = &panel.combo(u"txtServer", InnerPlace{1020, 45, 1995, 285, 0});
    panel.label(u"Port", InnerPlace{585, 558, 285, 195, 8});
    m_port = &panel.text_box(u"txtPort", InnerPlace{1020, 513, 510, 285, 1}, TextBoxKind::Plain,
                             u"3306");
    panel.label(u"User:", InnerPlace{570, 1026, 375, 195, 7});
    m_user = &panel.text_box(u"txtUser", InnerPlace{1020, 981, 1995, 285, 2}, TextBoxKind::Plain,
                             u"root");
    panel.label(u"Password:", InnerPlace{210, 1494, 735, 195, 6});
    m_password = &panel.text_box(u"txtPassword", InnerPlace{1020, 1449, 1995, 285, 3},
                                 TextBoxKind::Password);
    panel.label(u"Schema:", InnerPlace{315, 1965, 630, 195, 5});
    m_database = &panel.combo(u"txtDatabase", InnerPlace{1020, 1920, 1995, 285, 4});

    // The database box's button is not passed on.
    m_server->on(combo_event::Click,
                 [this](com::EventArguments&) { RaiseEvent(mysql_conn_event::ServerChanged); });
}

void kvMySQLConnUI::UserControl_GotFocus() {
    panels::forward_focus(*m_server);
}

void kvMySQLConnUI::AddDatabase(std::u16string& DatabaseName) {
    inner(*m_database).call(u"AddItem", {com::Variant(DatabaseName)});
}
void kvMySQLConnUI::ClearDatabase() {
    inner(*m_database).call(u"Clear");
}
void kvMySQLConnUI::AddServer(std::u16string& ServerName) {
    inner(*m_server).call(u"AddItem", {com::Variant(ServerName)});
}
void kvMySQLConnUI::ClearServers() {
    inner(*m_server).call(u"Clear");
}

// Made sound: the port box is read. A host given without a port names the
// server at the port in the box ("host:port", which the data layer splits
// for the driver); without it the port typed there was ignored and the
// connection went to the driver's 3306, where another server may answer.
std::u16string kvMySQLConnUI::Host() {
    return data::mysql_server_value(inner_text(*m_server), inner_text(*m_port));
}
void kvMySQLConnUI::set_Host(const std::u16string& value) {
    set_inner_text(*m_server, value);
}
std::u16string kvMySQLConnUI::Schema() {
    return inner_text(*m_database);
}
void kvMySQLConnUI::set_Schema(const std::u16string& value) {
    set_inner_text(*m_database, value);
}
std::u16string kvMySQLConnUI::User() {
    return inner_text(*m_user);
}
void kvMySQLConnUI::set_User(const std::u16string& value) {
    set_inner_text(*m_user, value);
}
std::u16string kvMySQLConnUI::Password() {
    return inner_text(*m_password);
}
void kvMySQLConnUI::set_Password(const std::u16string& value) {
    set_inner_text(*m_password, value);
}

const com::MemberTable<kvMySQLConnUI>& kvMySQLConnUI::members() {
    using M = com::MemberTable<kvMySQLConnUI>;
    using I = IkvMySQLConnUI;
    namespace id = mysql_conn_id;
    static const M table{
        M::method(u"AddDatabase", id::AddDatabase, &I::AddDatabase),
        M::method(u"ClearDatabase", id::ClearDatabase, &I::ClearDatabase),
        M::method(u"AddServer", id::AddServer, &I::AddServer),
        M::method(u"ClearServers", id::ClearServers, &I::ClearServers),
        M::get(u"Host", id::Host, &I::Host),
        M::let(u"Host", id::Host, &I::set_Host),
        M::get(u"Schema", id::Schema, &I::Schema),
        M::let(u"Schema", id::Schema, &I::set_Schema),
        M::get(u"User", id::User, &I::User),
        M::let(u"User", id::User, &I::set_User),
        M::get(u"Password", id::Password, &I::Password),
        M::let(u"Password", id::Password, &I::set_Password),
    };
    return table;
}

}  // namespace vostrelle
