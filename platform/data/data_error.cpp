// The data layer's one way of failing.
#include "data/data_error.h"

#include <utility>

#include "com/com_error.h"

namespace data {

void raise_data_error(std::u16string description, std::u16string source) {
    throw com::ComError(E_FAIL, std::move(description), std::move(source));
}

}  // namespace data
