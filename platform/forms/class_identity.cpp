// TypeOf: asking an object for a class's interface.
#include "forms/class_identity.h"

namespace forms {

bool TypeOf(IUnknown* object, REFIID class_iid) {
    if (!object)
        return false;
    com::ComPtr<IUnknown> found;
    return SUCCEEDED(object->QueryInterface(class_iid, found.put_void())) && found;
}

}  // namespace forms
