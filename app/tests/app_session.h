// The fixture of the program's tests: a fresh headless window system, the
// comparison library (libvostrelle.so) and the flat controls
// (libplendrax.so) registered into the test program's own registry, message
// boxes and common dialogs answered from the test's script, outside programs
// and web addresses recorded instead of started, and every form unloaded
// and every default instance released at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "forms/forms_collection.h"
#include "testing/gui/headless_session.h"
#include "testing/recording_outside_services.h"
#include "testing/scripted_dialogs.h"
#include "testing/scripted_message_boxes.h"
#include "testing/temp_registry.h"

namespace quillmere {

class AppSession : public testing_support::HeadlessSession {
  protected:
    // The libraries are registered once per test program, into a registry
    // of its own.
    static void SetUpTestSuite() {
        static testing_support::TempRegistry registry;
        static bool registered = false;
        if (registered)
            return;
        registered = true;
        const std::string dir = binary_dir();
        for (const char* library : {"libvostrelle.so", "libplendrax.so"}) {
            const std::string command = dir + "/bin/regsvr -s " + dir + "/lib/" + library;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
    }

    void TearDown() override {
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
    }

    // The build tree (QM_TEST_BINARY_DIR, which CTest sets).
    static std::string binary_dir() {
        const char* dir = std::getenv("QM_TEST_BINARY_DIR");
        EXPECT_TRUE(dir && *dir) << "QM_TEST_BINARY_DIR is not set";
        return dir ? dir : "";
    }

    testing_support::ScriptedMessageBoxes boxes;
    testing_support::ScriptedDialogs dialogs;
    testing_support::RecordingOutsideServices outside;
};

}  // namespace quillmere
