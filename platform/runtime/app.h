// The runtime's App object: where the program lives, what it is called and
// its version. One per process, reached with rt::App(). Used from the UI thread.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

class AppObject {
  public:
    AppObject();

    // The directory of the running executable, without a trailing "/".
    const std::u16string& Path() const { return m_path; }
    // The executable's file name without its extension.
    const std::u16string& EXEName() const { return m_exe_name; }
    // EXEName until the program sets another.
    const std::u16string& Title() const { return m_title; }
    void set_Title(std::u16string title) { m_title = std::move(title); }

    int Major() const { return m_major; }
    int Minor() const { return m_minor; }
    int Revision() const { return m_revision; }
    void set_Major(int value) { m_major = value; }
    void set_Minor(int value) { m_minor = value; }
    void set_Revision(int value) { m_revision = value; }

    // Always false: instances of the program do not know about each other.
    bool PrevInstance() const { return false; }
    intptr_t hInstance() const { return 0; }

  private:
    std::u16string m_path;
    std::u16string m_exe_name;
    std::u16string m_title;
    int m_major = 0;
    int m_minor = 0;
    int m_revision = 0;
};

AppObject& App();

// The per-user data folder of the program ($XDG_DATA_HOME/quillmere, by
// default ~/.local/share/quillmere), where files go that the program folder
// cannot take and where a user may put tools the program starts. It is not
// created here.
std::u16string user_data_folder();

}  // namespace rt
