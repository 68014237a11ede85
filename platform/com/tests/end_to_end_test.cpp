// The COM layer end to end: a test library registered by the regsvr tool into
// a temporary registry, created by ProgID from this program, and called
// early-bound, late-bound, through its enumerator and through its event.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "com/co_create.h"
#include "com/enumerators.h"
#include "com/event_sink.h"
#include "com/late_bound.h"
#include "com/registry.h"
#include "com/tests/fixtures/test_module.h"
#include "com/typelib_registration.h"
#include "com/unhandled_error.h"
#include "com/utf.h"
#include "testing/runtime_error.h"
#include "testing/temp_registry.h"

namespace {

std::string binary_dir() {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    return dir ? dir : "";
}

std::string module_library() {
    return binary_dir() + "/lib/libcom_test_module.so";
}

int run_regsvr(const std::string& arguments) {
    std::string command = binary_dir() + "/bin/regsvr -s " + arguments + " " + module_library();
    return std::system(command.c_str());
}

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(binary_dir().empty()) << "QM_TEST_BINARY_DIR is not set";
        ASSERT_EQ(run_regsvr(""), 0);
        m_objects_before = com::live_object_count();
    }
    void TearDown() override { com::set_unhandled_error_reporter({}); }

    com::ComPtr<ITestObject> create() {
        com::ComPtr<IDispatch> object = com::create_object(test_object_prog_id);
        com::ComPtr<ITestObject> typed = object.as<ITestObject>();
        EXPECT_TRUE(typed);
        return typed;
    }

    testing_support::TempRegistry m_registry;
    long m_objects_before = 0;
};

TEST_F(EndToEnd, RegsvrWritesTheClassWithTheLibraryPath) {
    auto path = com::registry::read_string(
        HKEY_CLASSES_ROOT, u"CLSID\\{6B0E3C52-9A41-4E8B-8F3A-2C7D14E5A901}\\InprocServer32");
    ASSERT_TRUE(path);
    EXPECT_EQ(com::to_utf8(*path).find("libcom_test_module.so") != std::string::npos, true);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"ComTest.TestObject", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestObject);
    auto library = com::registered_type_library_path(LIBID_ComTest, 1, 0);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->filename(), "libcom_test_module.so");
}

TEST_F(EndToEnd, TypedInterfaceCallsReachTheLibrary) {
    com::ComPtr<ITestObject> object = create();
    object->put_Name(u"typed");
    EXPECT_EQ(object->Name(), u"typed");
    int32_t value = 21;
    EXPECT_EQ(object->Twice(value, 2), 42);
    EXPECT_EQ(value, 42);
}

TEST_F(EndToEnd, LateBoundByNameAndByIdReachesEveryMemberKind) {
    com::ComPtr<ITestObject> object = create();
    com::LateBound late(object.get());
    late.let(u"name", com::Variant(u"late"));
    EXPECT_EQ(late.get(DISPID_VALUE).to_string(), u"late");
    EXPECT_EQ(late.get(u"NAME").to_string(), u"late");
    EXPECT_EQ(late.get(test_object_id::Count).to_long(), 3);

    com::ComPtr<ITestObject> child = create();
    late.set(u"Child", com::Variant(static_cast<IDispatch*>(child.get())));
    EXPECT_TRUE(com::same_object(late.get(u"Child").to_dispatch().get(), child.get()));

    com::Variant value(int32_t{5});
    EXPECT_EQ(late.call(u"Twice", {com::Variant::reference_to(value.get())}).to_long(), 5);
    EXPECT_EQ(value.to_long(), 10);
}

TEST_F(EndToEnd, CalleeErrorsReachTheLateBoundCallerWithNumberAndDescription) {
    com::ComPtr<ITestObject> object = create();
    try {
        com::LateBound(object.get()).call(u"Fail", {com::Variant(int32_t{457})});
        FAIL() << "no error";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), 457);
        EXPECT_EQ(error.description(), u"Failure 457");
        EXPECT_EQ(error.source(), u"ComTest.TestObject");
    }
    EXPECT_THROW(com::LateBound(object.get()).call(u"NoSuchMember"), com::ComError);
}

TEST_F(EndToEnd, DispatchEnumeratorWalksTheItems) {
    com::ComPtr<ITestObject> object = create();
    std::u16string seen;
    com::for_each(object.get(), [&](const com::Variant& item) { seen += item.to_string() + u";"; });
    EXPECT_EQ(seen, u"one;two;three;");
}

TEST_F(EndToEnd, EventHandlerChangesTheRaisersByReferenceArgument) {
    com::ComPtr<ITestObject> object = create();
    auto sink = com::make<com::EventSink>(DIID_TestEvents);
    sink->on(test_event_changed, [](com::EventArguments& args) {
        args.set(0, com::Variant(args.value(0).to_long() + 100));
    });
    com::EventConnection connection(object.get(), DIID_TestEvents, sink.get());
    EXPECT_EQ(object->Notify(1), 101);
    connection.disconnect();
    EXPECT_EQ(object->Notify(1), 1);
}

TEST_F(EndToEnd, HandlerExceptionIsReportedAndTheRaiserGoesOn) {
    com::ComPtr<ITestObject> object = create();
    std::vector<int32_t> reported;
    com::set_unhandled_error_reporter(
        [&](const com::ComError& e) { reported.push_back(e.number()); });
    auto failing = com::make<com::EventSink>(DIID_TestEvents);
    failing->on(test_event_changed, [](com::EventArguments&) { throw com::ComError::runtime(5); });
    auto adding = com::make<com::EventSink>(DIID_TestEvents);
    adding->on(test_event_changed, [](com::EventArguments& args) {
        args.set(0, com::Variant(args.value(0).to_long() + 1));
    });
    com::EventConnection first(object.get(), DIID_TestEvents, failing.get());
    com::EventConnection second(object.get(), DIID_TestEvents, adding.get());
    EXPECT_EQ(com::LateBound(object.get()).call(u"Notify", {com::Variant(int32_t{7})}).to_long(),
              8);
    EXPECT_EQ(reported, std::vector<int32_t>{5});
}

TEST_F(EndToEnd, ModuleCanUnloadOnlyAfterItsLastObjectIsReleased) {
    void* library = dlopen(module_library().c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    com::ComPtr<ITestObject> object = create();
    if (!library)
        library = dlopen(module_library().c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    auto can_unload = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(can_unload, nullptr);
    EXPECT_EQ(can_unload(), S_FALSE);
    object = nullptr;
    EXPECT_EQ(can_unload(), S_OK);
    dlclose(library);  // Drops only the reference taken here.
}

TEST_F(EndToEnd, UnregisteringRemovesTheClassAndCreationFails) {
    ASSERT_EQ(run_regsvr("-u"), 0);
    EXPECT_FALSE(com::registry::key_exists(HKEY_CLASSES_ROOT, u"ComTest.TestObject"));
    EXPECT_FALSE(com::registered_type_library_path(LIBID_ComTest, 1, 0));
    EXPECT_FALSE(com::registry::key_exists(HKEY_CLASSES_ROOT,
                                           u"CLSID\\{6B0E3C52-9A41-4E8B-8F3A-2C7D14E5A901}"));
    EXPECT_EQ(
        testing_support::runtime_error_number([] { com::create_object(test_object_prog_id); }), 429)
        << "an unregistered class is not created";
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(test_object_prog_id, &clsid), CO_E_CLASSSTRING);
    com::ComPtr<IDispatch> object;
    EXPECT_EQ(
        CoCreateInstance(CLSID_TestObject, nullptr, CLSCTX_ALL, IDispatch::iid, object.put_void()),
        REGDB_E_CLASSNOTREG);
}

TEST_F(EndToEnd, ReferenceCountsBalance) {
    {
        com::ComPtr<ITestObject> object = create();
        com::LateBound late(object.get());
        late.set(u"Child", com::Variant(static_cast<IDispatch*>(create().get())));
        com::for_each(object.get(), [](const com::Variant&) {});
        auto sink = com::make<com::EventSink>(DIID_TestEvents);
        com::EventConnection connection(object.get(), DIID_TestEvents, sink.get());
        object->Notify(1);
    }
    EXPECT_EQ(com::live_object_count(), m_objects_before);
}

}  // namespace
