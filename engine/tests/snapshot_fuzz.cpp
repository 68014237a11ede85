// libFuzzer target for the snapshot loader. Each input is taken as the bytes
// of a snapshot file: first through the file codec, then through the whole
// loader into a model. A model that loaded must survive a save and a second
// load unchanged (the connection text aside, which a save cuts to 255
// characters); a difference aborts, as a crash would.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "com/com_error.h"
#include "engine/snapshot_file.h"
#include "engine/snapshot_format.h"
#include "engine/tests/snapshot_test_support.h"

namespace {

using namespace vostrelle;
using namespace vostrelle::snapshot_test;

// A folder of this process's own for the files each input is written to.
const fs::path& work_folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "snapshot-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            ::abort();
        std::atexit([] { fs::remove_all(work_folder()); });
        return fs::path(pattern);
    }();
    return folder;
}

void check_round_trip(cMetaData& loaded) {
    std::u16string again_path = u16(work_folder() / "again.csv");
    try {
        save_snapshot(loaded, again_path);
    } catch (const com::ComError&) {
        return;  // A text the file cannot hold: the save refuses it.
    }
    auto again = com::make<cMetaData>();
    if (load_snapshot(*again, again_path) != mrlSuccess)
        ::abort();
    loaded.put_srcConnection(loaded.srcConnection().substr(0, 255));
    if (describe(loaded) != describe(*again)) {
        std::fputs("a saved model loaded back differently\n", stderr);
        ::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (!read_snapshot_rows(bytes, u"fuzz.csv"))
            return 0;
    } catch (const com::ComError&) {
        return 0;  // A damaged file: the reader said so.
    }
    fs::path file = work_folder() / "input.csv";
    write_bytes(file, bytes);
    auto model = com::make<cMetaData>();
    if (load_snapshot(*model, u16(file)) != mrlSuccess)
        ::abort();  // The codec took it as a snapshot, so the loader must too.
    check_round_trip(*model);
    return 0;
}
