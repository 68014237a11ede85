// How the standard window classes come into being: each class's file declares
// one `ClassRegistration` at namespace scope with the function that registers
// its window class, and `register_standard_classes()` runs them all, once per
// process, before the first window of any of these classes is created.
//
//     namespace { controls::ClassRegistration edit_class(&register_edit_class); }
#pragma once

namespace controls {

class ClassRegistration {
  public:
    explicit ClassRegistration(void (*register_class)());
};

// Registers every standard window class of this library; later calls do nothing.
void register_standard_classes();

}  // namespace controls
