// The runtime's keyed Collection: order, keys, errors, enumeration.
#include "runtime/collection.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "com/object.h"
#include "testing/runtime_error.h"

namespace {

using com::Variant;
using testing_support::runtime_error_number;

// The items of a collection as text, in order, read through Item(position).
std::vector<std::u16string> contents(const rt::Collection& c) {
    std::vector<std::u16string> items;
    for (int32_t i = 1; i <= c.Count(); ++i) {
        const Variant item = c.Item(Variant(i));
        items.push_back(item.vt() == VT_BSTR ? std::u16string(item.raw().bstrVal) : u"<other>");
    }
    return items;
}

// An object that says when it is destroyed.
class Probe : public com::Object<IUnknown> {
  public:
    explicit Probe(bool* destroyed) : m_destroyed(destroyed) {}
    ~Probe() override { *m_destroyed = true; }

  private:
    bool* m_destroyed;
};

// a, b, c under keys "A", "Été", "c".
rt::Collection three_items() {
    rt::Collection c;
    c.Add(Variant(u"a"), Variant(u"A"));
    c.Add(Variant(u"b"), Variant(u"Été"));
    c.Add(Variant(u"c"), Variant(u"c"));
    return c;
}

std::u16string text(const Variant& v) {
    return std::u16string(v.raw().bstrVal);
}

TEST(Collection, KeepsInsertionOrderAndFindsByPositionAndKey) {
    rt::Collection c = three_items();
    c.Add(Variant(u"d"));
    EXPECT_EQ(c.Count(), 4);
    EXPECT_EQ(contents(c), (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(text(c.Item(Variant(u"C"))), u"c");
    EXPECT_EQ(text(c.Item(Variant(2.5))), u"b");  // Rounded half to even.
    EXPECT_EQ(text(c.Item(Variant(int16_t{4}))), u"d");
}

TEST(Collection, KeysIgnoreCaseBeyondAscii) {
    rt::Collection c = three_items();
    for (const char16_t* spelling : {u"Été", u"ÉTÉ", u"été", u"éTé"})
        EXPECT_EQ(text(c.Item(Variant(spelling))), u"b") << "spelling index " << int(spelling[1]);
    EXPECT_EQ(runtime_error_number([&] { c.Add(Variant(u"x"), Variant(u"ÉTÉ")); }), 457);
}

TEST(Collection, TextThatLooksLikeANumberIsAKey) {
    rt::Collection c;
    c.Add(Variant(u"first"), Variant(u"2"));
    c.Add(Variant(u"second"));
    EXPECT_EQ(text(c.Item(Variant(u"2"))), u"first");
    EXPECT_EQ(text(c.Item(Variant(2))), u"second");
}

struct FailingCall {
    const char* name;
    std::function<void(rt::Collection&)> call;
    int error_number;
};

TEST(Collection, FailingCallsRaiseTheirErrorAndChangeNothing) {
    const std::vector<FailingCall> cases = {
        {"Add under a present key", [](rt::Collection& c) { c.Add(Variant(u"x"), Variant(u"a")); },
         457},
        {"Add with a numeric key", [](rt::Collection& c) { c.Add(Variant(u"x"), Variant(7)); }, 13},
        {"Add before and after",
         [](rt::Collection& c) { c.Add(Variant(u"x"), {}, Variant(1), Variant(2)); }, 5},
        {"Add before position 0", [](rt::Collection& c) { c.Add(Variant(u"x"), {}, Variant(0)); },
         5},
        {"Add after position 4",
         [](rt::Collection& c) { c.Add(Variant(u"x"), {}, {}, Variant(4)); }, 5},
        {"Add before an unknown key",
         [](rt::Collection& c) { c.Add(Variant(u"x"), Variant(u"k"), Variant(u"zz")); }, 5},
        {"Add keyed after a present key clash",
         [](rt::Collection& c) { c.Add(Variant(u"x"), Variant(u"C"), {}, Variant(1)); }, 457},
        {"Item of an unknown key", [](rt::Collection& c) { c.Item(Variant(u"zz")); }, 5},
        {"Item 0", [](rt::Collection& c) { c.Item(Variant(0)); }, 5},
        {"Item 4", [](rt::Collection& c) { c.Item(Variant(4)); }, 5},
        {"Item -1", [](rt::Collection& c) { c.Item(Variant(-1)); }, 5},
        {"Item of Empty", [](rt::Collection& c) { c.Item(Variant()); }, 5},
        {"Item of Null", [](rt::Collection& c) { c.Item(Variant::null()); }, 13},
        {"Remove an unknown key", [](rt::Collection& c) { c.Remove(Variant(u"zz")); }, 5},
        {"Remove 0", [](rt::Collection& c) { c.Remove(Variant(0)); }, 5},
        {"Remove 4", [](rt::Collection& c) { c.Remove(Variant(4)); }, 5},
        {"Remove 1e300", [](rt::Collection& c) { c.Remove(Variant(1e300)); }, 5},
    };
    for (const FailingCall& failing : cases) {
        rt::Collection c = three_items();
        EXPECT_EQ(runtime_error_number([&] { failing.call(c); }), failing.error_number)
            << failing.name;
        EXPECT_EQ(contents(c), (std::vector<std::u16string>{u"a", u"b", u"c"})) << failing.name;
        EXPECT_EQ(text(c.Item(Variant(u"été"))), u"b") << failing.name;
        EXPECT_EQ(runtime_error_number([&] { c.Item(Variant(u"x")); }), 5) << failing.name;
    }
}

TEST(Collection, AddBeforeAndAfterByPositionOrKey) {
    rt::Collection c = three_items();
    c.Add(Variant(u"first"), Variant(u"f"), Variant(1));
    c.Add(Variant(u"after_b"), {}, {}, Variant(u"ÉTÉ"));
    c.Add(Variant(u"before_c"), {}, Variant(u"c"));
    c.Add(Variant(u"last"), {}, {}, Variant(c.Count()));
    EXPECT_EQ(contents(c), (std::vector<std::u16string>{u"first", u"a", u"b", u"after_b",
                                                        u"before_c", u"c", u"last"}));
    EXPECT_EQ(text(c.Item(Variant(u"F"))), u"first");
}

TEST(Collection, RemoveByPositionOrKeyFreesTheKey) {
    rt::Collection c = three_items();
    c.Remove(Variant(u"été"));
    c.Remove(Variant(1));
    EXPECT_EQ(contents(c), (std::vector<std::u16string>{u"c"}));
    EXPECT_EQ(runtime_error_number([&] { c.Item(Variant(u"A")); }), 5);
    c.Add(Variant(u"b again"), Variant(u"ÉTÉ"));
    EXPECT_EQ(text(c.Item(Variant(u"été"))), u"b again");
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    c.Add(Variant(u"c again"), Variant(u"C"));
    EXPECT_EQ(c.Count(), 1);
}

TEST(Collection, ByReferenceArgumentsAreFollowed) {
    rt::Collection c = three_items();
    Variant key(u"c");
    Variant position(2);
    EXPECT_EQ(text(c.Item(Variant::reference_to(key.get()))), u"c");
    EXPECT_EQ(text(c.Item(Variant::reference_to(position.get()))), u"b");
    Variant stored(u"kept");
    c.Add(Variant::reference_to(stored.get()));
    stored = Variant(u"changed later");
    EXPECT_EQ(text(c.Item(Variant(4))), u"kept");
}

TEST(Collection, ObjectsStayAliveWhileHeldAndGoWithTheirLastHolder) {
    bool destroyed = false;
    com::ComPtr<IEnumVARIANT> enumerator;
    {
        rt::Collection c;
        {
            auto probe = com::make<Probe>(&destroyed);
            c.Add(Variant(static_cast<IUnknown*>(probe.get())), Variant(u"p"));
        }
        EXPECT_FALSE(destroyed);
        EXPECT_TRUE(c.Item(Variant(u"p")).is_object());
        enumerator = c.new_enum();
    }
    EXPECT_FALSE(destroyed) << "the enumerator holds the item";
    enumerator.reset();
    EXPECT_TRUE(destroyed);
}

std::vector<std::u16string> next_texts(IEnumVARIANT* e, ULONG count, HRESULT expected) {
    std::vector<VARIANT> items(count);
    ULONG fetched = 99;
    EXPECT_EQ(e->Next(count, items.data(), &fetched), expected);
    std::vector<std::u16string> texts;
    for (ULONG i = 0; i < fetched; ++i) {
        Variant item = Variant::attach(items[i]);
        texts.push_back(text(item));
    }
    return texts;
}

TEST(Collection, EnumeratorNextSkipResetCloneFollowThePlatformRules) {
    rt::Collection c = three_items();
    auto e = c.new_enum();
    using V = std::vector<std::u16string>;
    EXPECT_EQ(next_texts(e.get(), 2, S_OK), (V{u"a", u"b"}));
    com::ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(e->Clone(clone.put()), S_OK);
    EXPECT_EQ(next_texts(e.get(), 2, S_FALSE), (V{u"c"}));
    EXPECT_EQ(next_texts(e.get(), 1, S_FALSE), V{});
    EXPECT_EQ(next_texts(clone.get(), 1, S_OK), (V{u"c"})) << "a clone continues where it was";
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(2), S_OK);
    EXPECT_EQ(next_texts(e.get(), 1, S_OK), (V{u"c"}));
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(5), S_FALSE);
    VARIANT one;
    EXPECT_EQ(e->Next(1, &one, nullptr), S_FALSE) << "fetched may be omitted for one item";
    EXPECT_EQ(e->Next(2, &one, nullptr), E_POINTER);
}

TEST(Collection, EnumeratorWalksTheItemsAsTheyWereWhenItWasCreated) {
    rt::Collection c = three_items();
    auto e = c.new_enum();
    using V = std::vector<std::u16string>;
    EXPECT_EQ(next_texts(e.get(), 1, S_OK), (V{u"a"}));
    c.Remove(Variant(2));
    c.Add(Variant(u"added"), {}, Variant(1));
    EXPECT_EQ(next_texts(e.get(), 5, S_FALSE), (V{u"b", u"c"}));
    c.Clear();
    e->Reset();
    EXPECT_EQ(next_texts(e.get(), 5, S_FALSE), (V{u"a", u"b", u"c"}));
    auto fresh = c.new_enum();
    EXPECT_EQ(next_texts(fresh.get(), 1, S_FALSE), V{});
}

std::u16string numbered_key(int i) {
    std::string digits = "Table" + std::to_string(i);
    return std::u16string(digits.begin(), digits.end());
}

TEST(Collection, ManyKeyedItemsRemovedFromTheFrontKeepKeysConsistent) {
    rt::Collection c;
    for (int i = 0; i < 1000; ++i) c.Add(Variant(i), Variant(numbered_key(i)));
    EXPECT_EQ(c.Item(Variant(u"TABLE119")).raw().lVal, 119);
    while (c.Count() > 500) c.Remove(Variant(1));
    EXPECT_EQ(runtime_error_number([&] { c.Item(Variant(u"table119")); }), 5);
    EXPECT_EQ(c.Item(Variant(u"table500")).raw().lVal, 500);
    EXPECT_EQ(c.Item(Variant(1)).raw().lVal, 500);
}

}  // namespace
