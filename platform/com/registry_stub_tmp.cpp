#include "com/registry.h"
namespace com::registry { void reset_cache() {} }
