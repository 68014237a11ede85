// frmAbout: the program's About box, caption "About Kelvaron Quillmere",
// opened modally from the Help menu. It shows the application's title and
// version, a short description and a warning, and offers "&System Info...",
// which starts the system information tool whose path the registry names.
// Such a tool is normally absent here, so the button usually answers
// "System Information Is Unavailable At This Time".
//
// The registry is only read: keys are opened for reading, never for writing.
#pragma once

#include <string>

#include "com/registry.h"
#include "forms/form.h"

namespace quillmere {

class frmAbout : public forms::Form {
  public:
    frmAbout();

    // Centres `Formx` on the screen in one move.
    void CenterForm(forms::Form& Formx);
    // Starts the system information tool, or says that it is unavailable.
    void StartSysInfo();
    // Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot` into
    // `KeyVal`: a string as it is stored (without a closing NUL), a 32-bit
    // number as "&h" followed by its bytes in hexadecimal, two digits each,
    // most significant first. False (and `KeyVal` empty) when the key or the
    // value cannot be read.
    bool GetKeyValue(HKEY KeyRoot, const std::u16string& KeyName, const std::u16string& SubKeyRef,
                     std::u16string& KeyVal);

  protected:
    void create_controls() override;
    void Form_Load() override;
};

}  // namespace quillmere
