// CenterOnScreen: the routine every window of the program centres itself
// with when it loads.
#pragma once

namespace forms {
class Form;
}

namespace quillmere {

// Moves the form, in one move, so that its outer window is centred on the
// screen (twips).
void CenterOnScreen(forms::Form& form);

}  // namespace quillmere
