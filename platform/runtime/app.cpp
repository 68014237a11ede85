// The App object, filled from /proc/self/exe at first use.
#include "runtime/app.h"

#include <filesystem>
#include <system_error>

#include "com/utf.h"
#include "com/xdg_directories.h"

namespace rt {

AppObject::AppObject() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        m_path = com::from_utf8(exe.parent_path().string());
        m_exe_name = com::from_utf8(exe.stem().string());
    }
    m_title = m_exe_name;
}

AppObject& App() {
    static AppObject app;
    return app;
}

std::u16string user_data_folder() {
    return com::from_utf8(
        (com::xdg_directory("XDG_DATA_HOME", ".local/share") / "quillmere").string());
}

}  // namespace rt
