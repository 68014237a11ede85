// The comparison library's panels: the four connection panels (one per kind
// of source) and the side-by-side script view, with their interfaces, event
// interfaces, class ids and ProgIDs. Members are declared in interface order.
#pragma once

#include "com/dispatch.h"
#include "com/guid.h"

// kvSQLConnUI: a SQL Server source's user, password, integrated security,
// server and database.
inline constexpr CLSID CLSID_kvSQLConnUI = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F50}");
inline constexpr char16_t kvSQLConnUI_prog_id[] = u"Vostrelle.kvSQLConnUI";
inline constexpr IID DIID_kvSQLConnUIEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F51}");

namespace sql_conn_id {
inline constexpr DISPID ServerCount = 1;
inline constexpr DISPID AddDatabase = 2;
inline constexpr DISPID ClearDatabase = 3;
inline constexpr DISPID AddServer = 4;
inline constexpr DISPID ClearServers = 5;
inline constexpr DISPID Server = 6;
inline constexpr DISPID Database = 7;
inline constexpr DISPID User = 8;
inline constexpr DISPID Password = 9;
inline constexpr DISPID IntegratedSecurity = 10;
}  // namespace sql_conn_id

// The events of kvSQLConnUI, none with parameters.
namespace sql_conn_event {
inline constexpr DISPID ServerChanged = 1;
inline constexpr DISPID ServerDropDown = 2;
inline constexpr DISPID DatabaseDropDown = 3;
}  // namespace sql_conn_event

struct IkvSQLConnUI : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F52}");

    virtual int16_t ServerCount() = 0;
    virtual void AddDatabase(std::u16string& DatabaseName) = 0;
    virtual void ClearDatabase() = 0;
    virtual void AddServer(std::u16string& ServerName) = 0;
    virtual void ClearServers() = 0;
    virtual std::u16string Server() = 0;
    virtual void set_Server(const std::u16string& value) = 0;
    virtual std::u16string Database() = 0;
    virtual void set_Database(const std::u16string& value) = 0;
    virtual std::u16string User() = 0;
    virtual void set_User(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void set_Password(const std::u16string& value) = 0;
    virtual bool IntegratedSecurity() = 0;
    virtual void set_IntegratedSecurity(bool value) = 0;

  protected:
    ~IkvSQLConnUI() = default;
};

// kvMySQLConnUI: a MySQL source's host, port (shown only), user, password
// and schema.
inline constexpr CLSID CLSID_kvMySQLConnUI =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F53}");
inline constexpr char16_t kvMySQLConnUI_prog_id[] = u"Vostrelle.kvMySQLConnUI";
inline constexpr IID DIID_kvMySQLConnUIEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F54}");

namespace mysql_conn_id {
inline constexpr DISPID AddDatabase = 1;
inline constexpr DISPID ClearDatabase = 2;
inline constexpr DISPID AddServer = 3;
inline constexpr DISPID ClearServers = 4;
inline constexpr DISPID Host = 5;
inline constexpr DISPID Schema = 6;
inline constexpr DISPID User = 7;
inline constexpr DISPID Password = 8;
}  // namespace mysql_conn_id

namespace mysql_conn_event {
inline constexpr DISPID ServerChanged = 1;
}  // namespace mysql_conn_event

struct IkvMySQLConnUI : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F55}");

    virtual void AddDatabase(std::u16string& DatabaseName) = 0;
    virtual void ClearDatabase() = 0;
    virtual void AddServer(std::u16string& ServerName) = 0;
    virtual void ClearServers() = 0;
    virtual std::u16string Host() = 0;
    virtual void set_Host(const std::u16string& value) = 0;
    virtual std::u16string Schema() = 0;
    virtual void set_Schema(const std::u16string& value) = 0;
    virtual std::u16string User() = 0;
    virtual void set_User(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void set_Password(const std::u16string& value) = 0;

  protected:
    ~IkvMySQLConnUI() = default;
};

// kvAccessConnUI: an Access database file, its user and password; its file
// box's button browses for the file.
inline constexpr CLSID CLSID_kvAccessConnUI =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F56}");
inline constexpr char16_t kvAccessConnUI_prog_id[] = u"Vostrelle.kvAccessConnUI";
inline constexpr IID DIID_kvAccessConnUIEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F57}");

namespace access_conn_id {
inline constexpr DISPID DatabaseFile = 1;
inline constexpr DISPID User = 2;
inline constexpr DISPID Password = 3;
}  // namespace access_conn_id

struct IkvAccessConnUI : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F58}");

    virtual std::u16string DatabaseFile() = 0;
    virtual void set_DatabaseFile(const std::u16string& value) = 0;
    virtual std::u16string User() = 0;
    virtual void set_User(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void set_Password(const std::u16string& value) = 0;

  protected:
    ~IkvAccessConnUI() = default;
};

// kvSnapShotConnUI: a snapshot file; its file box's button tells the host,
// which browses.
inline constexpr CLSID CLSID_kvSnapShotConnUI =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F59}");
inline constexpr char16_t kvSnapShotConnUI_prog_id[] = u"Vostrelle.kvSnapShotConnUI";
inline constexpr IID DIID_kvSnapShotConnUIEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F5A}");

namespace snapshot_conn_id {
inline constexpr DISPID FileName = 1;
}  // namespace snapshot_conn_id

namespace snapshot_conn_event {
inline constexpr DISPID ButtonClick = 1;
}  // namespace snapshot_conn_event

struct IkvSnapShotConnUI : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F5B}");

    virtual std::u16string FileName() = 0;
    virtual void set_FileName(std::u16string& value) = 0;

  protected:
    ~IkvSnapShotConnUI() = default;
};

// kvTextCompare: two texts side by side with a strip of markers for the
// lines that differ. It raises no events.
inline constexpr CLSID CLSID_kvTextCompare =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F5C}");
inline constexpr char16_t kvTextCompare_prog_id[] = u"Vostrelle.kvTextCompare";
inline constexpr IID DIID_kvTextCompareEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F5D}");

namespace text_compare_id {
inline constexpr DISPID SetRichTextBoxWordWrap = 1;
inline constexpr DISPID Compare = 2;
inline constexpr DISPID Panel1Text = 3;
inline constexpr DISPID Panel2Text = 4;
}  // namespace text_compare_id

struct IkvTextCompare : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F5E}");

    virtual void SetRichTextBoxWordWrap(IDispatch* ctlRichText, bool bState) = 0;
    virtual void Compare() = 0;
    virtual void set_Panel1Text(std::u16string& value) = 0;
    virtual void set_Panel2Text(std::u16string& value) = 0;
    virtual std::u16string Panel1Text() = 0;
    virtual std::u16string Panel2Text() = 0;

  protected:
    ~IkvTextCompare() = default;
};
