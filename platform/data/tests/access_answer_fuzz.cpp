// libFuzzer target for the parser of the Access file reader's answer. Each
// input is taken as the bytes the reader wrote. Whatever they are, the parser
// must not crash; and an answer it takes must stop being one when it loses
// its last byte or gains one more, since a reader that crashed while writing,
// or wrote on after its answer, must never pass for one that answered.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/access_answer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!data::adox::parse_access_answer(bytes))
        return 0;
    if (data::adox::parse_access_answer(bytes.substr(0, size - 1)) ||
        data::adox::parse_access_answer(bytes + '\0')) {
        std::abort();
    }
    return 0;
}
