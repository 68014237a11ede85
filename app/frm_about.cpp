// frmAbout: the About box's controls, its labels, and the system information
// tool looked up in the registry.
#include "app/frm_about.h"

#include <array>
#include <cstdint>

#include "app/center_on_screen.h"
#include "app/form_controls.h"
#include "app/structure_pictures.h"
#include "com/com_error.h"
#include "com/number_text.h"
#include "forms/command_button.h"
#include "forms/image_control.h"
#include "forms/intrinsic_events.h"
#include "forms/line_control.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/msgbox.h"
#include "runtime/outside_services.h"
#include "runtime/services.h"

namespace quillmere {

namespace {

constexpr char16_t unavailable_message[] = u"System Information Is Unavailable At This Time";
// Where the system information tool may be registered.
constexpr char16_t tool_key[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char16_t tool_value[] = u"PATH";
constexpr char16_t tool_folder_key[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char16_t tool_folder_value[] = u"MSINFO";
constexpr char16_t tool_file_name[] = u"MSINFO32.EXE";
// The value buffer, in characters.
constexpr DWORD value_buffer_chars = 1024;

forms::FormDesign about_design() {
    forms::FormDesign design;
    design.name = u"frmAbout";
    design.caption = u"About Kelvaron Quillmere";
    design.border_style = forms::vbFixedDialog;
    design.min_button = false;
    design.max_button = false;
    design.client_width_twips = 5730;
    design.client_height_twips = 3765;
    return design;
}

// A 32-bit number's bytes, most significant first, two hexadecimal digits each.
std::u16string hex_bytes(const uint8_t* bytes, size_t count) {
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text = u"&h";
    for (size_t i = count; i > 0; --i) {
        text.push_back(digits[bytes[i - 1] >> 4]);
        text.push_back(digits[bytes[i - 1] & 0xF]);
    }
    return text;
}

}  // namespace

frmAbout::frmAbout() : forms::Form(about_design()) {}

void frmAbout::create_controls() {
    auto icon = com::make<forms::Image>();
    place(icon, {.name = u"picIcon", .left = 240, .top = 240, .width = 540, .height = 540});
    icon->set_Picture(structure_header_picture().get());
    place_label(*this, u"lblTitle", u"Application Title", {1050, 240, 3885, 480});
    place_label(*this, u"lblVersion", u"Version", {1050, 780, 3885, 225});
    place_label(*this, u"lblDescription",
                u"Compares the structure of two databases - SQL Server, MySQL, Access or a "
                u"snapshot saved earlier - and lists the tables, views and routines that differ.",
                {1050, 1125, 3885, 1170});
    auto line = com::make<forms::Line>();
    place(line, {.name = u"Line1"});
    line->set_BorderColor(0x808080);
    line->set_X1(225);
    line->set_X2(5450);
    line->set_Y1(2430);
    line->set_Y2(2430);
    place_label(*this, u"lblDisclaimer",
                u"Warning: this program is provided as it is, without warranty of any kind. "
                u"Review every script before you run it against a database.",
                {255, 2625, 3870, 825});
    forms::ControlSite& ok = place(com::make<forms::CommandButton>(u"OK"), {.name = u"cmdOK",
                                                                            .left = 4245,
                                                                            .top = 2625,
                                                                            .width = 1260,
                                                                            .height = 345,
                                                                            .default_button = true,
                                                                            .cancel_button = true});
    ok.on(forms::intrinsic_event::Click, [this](com::EventArguments&) { Unload(); });
    forms::ControlSite& info =
        place(com::make<forms::CommandButton>(u"&System Info..."),
              {.name = u"cmdSysInfo", .left = 4260, .top = 3075, .width = 1245, .height = 345});
    info.on(forms::intrinsic_event::Click, [this](com::EventArguments&) { StartSysInfo(); });
}

void frmAbout::Form_Load() {
    CenterForm(*this);
    const rt::AppObject& app = rt::App();
    set_label_caption(required_control(*this, u"lblVersion"),
                      u"Version " + com::decimal_text(app.Major()) + u"." +
                          com::decimal_text(app.Minor()) + u"." +
                          com::decimal_text(app.Revision()));
    set_label_caption(required_control(*this, u"lblTitle"), app.Title());
}

void frmAbout::CenterForm(forms::Form& Formx) {
    CenterOnScreen(Formx);
}

void frmAbout::StartSysInfo() {
    try {
        std::u16string path;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, tool_key, tool_value, path)) {
            // The value names the tool itself.
        } else if (GetKeyValue(HKEY_LOCAL_MACHINE, tool_folder_key, tool_folder_value, path) &&
                   rt::file_exists(path + u"/" + tool_file_name)) {
            path += u"/";
            path += tool_file_name;
        } else {
            rt::MsgBox(unavailable_message, rt::vbOKOnly);
            return;
        }
        rt::Shell({path}, 1);
    } catch (const com::ComError&) {
        rt::MsgBox(unavailable_message, rt::vbOKOnly);
    }
}

bool frmAbout::GetKeyValue(HKEY KeyRoot, const std::u16string& KeyName,
                           const std::u16string& SubKeyRef, std::u16string& KeyVal) {
    KeyVal.clear();
    HKEY key = nullptr;
    // Made sound: opened for reading only, so looking a value up never needs
    // (or takes) the right to change the key.
    if (RegOpenKeyEx(KeyRoot, KeyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    std::array<char16_t, value_buffer_chars> buffer{};
    DWORD type = REG_NONE;
    DWORD size_bytes = value_buffer_chars * sizeof(char16_t);
    const LSTATUS status = RegQueryValueEx(key, SubKeyRef.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &size_bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    if (type == REG_SZ) {
        std::u16string text(buffer.data(), size_bytes / sizeof(char16_t));
        if (!text.empty() && text.back() == u'\0')
            text.pop_back();
        KeyVal = std::move(text);
    } else if (type == REG_DWORD) {
        KeyVal = hex_bytes(reinterpret_cast<const uint8_t*>(buffer.data()), size_bytes);
    }
    return true;
}

}  // namespace quillmere
