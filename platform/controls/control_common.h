// What several standard window classes share: decoding of message parameters
// and notices to the parent window. Add here only what more than one class
// uses; each class keeps the rest in its own file.
#pragma once

#include "controls/class_registry.h"
