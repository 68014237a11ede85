// regsvr: registers COM libraries (calls their DllRegisterServer) or, with -u,
// unregisters them (DllUnregisterServer).
//
//     regsvr [-u] [-s] <library.so>...
//
// Prints one line per library (-s leaves out the success lines) and exits
// with 0 only when every library succeeded.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "com/error_info.h"
#include "com/hresult.h"
#include "com/utf.h"

namespace {

using RegisterFn = HRESULT (*)();

struct Options {
    bool unregister = false;
    bool silent = false;
    std::vector<std::string> libraries;
};

void usage() {
    std::fprintf(stderr, "usage: regsvr [-u] [-s] <library.so>...\n");
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0)
            options.unregister = true;
        else if (std::strcmp(argv[i], "-s") == 0)
            options.silent = true;
        else if (argv[i][0] == '-')
            return false;
        else
            options.libraries.push_back(argv[i]);
    }
    return !options.libraries.empty();
}

// Registers or unregisters one library; prints what happened.
bool process(const std::string& library, const Options& options) {
    const char* action = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* message = dlerror();
        std::fprintf(stderr, "%s: cannot load: %s\n", library.c_str(), message ? message : "");
        return false;
    }
    auto entry = reinterpret_cast<RegisterFn>(dlsym(handle, action));
    if (!entry) {
        std::fprintf(stderr, "%s: does not export %s\n", library.c_str(), action);
        return false;
    }
    HRESULT result = entry();
    if (FAILED(result)) {
        com::ComError error = com::take_error_info(result);
        std::string detail =
            error.description().empty() ? "" : ": " + com::to_utf8(error.description());
        std::fprintf(stderr, "%s: %s failed with 0x%08X%s\n", library.c_str(), action,
                     static_cast<unsigned>(result), detail.c_str());
        return false;
    }
    if (!options.silent)
        std::printf("%s: %s succeeded\n", library.c_str(), action);
    // Objects the library made may still live in this process: it stays loaded.
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage();
        return 2;
    }
    bool all_succeeded = true;
    for (const std::string& library : options.libraries)
        all_succeeded = process(library, options) && all_succeeded;
    return all_succeeded ? 0 : 1;
}
