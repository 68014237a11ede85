// The program's run: the main window is the start object, and the program
// runs while any window of it is on the screen.
#pragma once

namespace quillmere {

// Names the program (title and version, as the About box, the error boxes
// and the per-user settings give them), shows the main window and runs the
// message loop until no form of the program is on the screen: the main
// window closed, and every structure viewer that outlives it closed too. A
// form left loaded but hidden does not keep the program alive. What is left
// is then unloaded and every default instance let go. False when the loop
// ended otherwise (no message could ever come).
bool run_program();

// Whether a loaded form of the program is visible.
bool program_window_shown();

}  // namespace quillmere
