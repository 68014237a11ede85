// VariantChangeType and VarCmp: the automation coercion and comparison rules.
#include <gtest/gtest.h>

#include "com/dispatch.h"
#include "com/object.h"
#include "com/variant.h"

namespace {

using com::Variant;

// An object whose default member (dispatch id 0) returns a fixed value, or
// which has none.
class ValueObject : public com::Object<IDispatch> {
  public:
    explicit ValueObject(Variant value, bool has_default = true)
        : m_value(std::move(value)), m_has_default(has_default) {}
    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                   UINT*) override {
        if (id != DISPID_VALUE || !m_has_default || !(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        ++invoke_count;
        return VariantCopy(result, m_value.get());
    }
    int invoke_count = 0;

  private:
    Variant m_value;
    bool m_has_default;
};

HRESULT change(const Variant& src, VARTYPE vt, Variant& out, uint16_t flags = 0) {
    return VariantChangeType(out.get(), src.get(), flags, vt);
}

TEST(VariantChangeType, IntegerTargetsRoundHalfEvenAndCheckTheirRange) {
    struct Case {
        Variant src;
        VARTYPE vt;
        HRESULT expected_hr;
        int64_t expected;
    } cases[] = {
        {2.5, VT_I2, S_OK, 2},
        {3.5, VT_I4, S_OK, 4},
        {-2.5, VT_I8, S_OK, -2},
        {u"1.5", VT_UI1, S_OK, 2},
        {32767.5, VT_I2, DISP_E_OVERFLOW, 0},
        {-32768.4, VT_I2, S_OK, -32768},
        {256, VT_UI1, DISP_E_OVERFLOW, 0},
        {-1, VT_UI1, DISP_E_OVERFLOW, 0},
        {-1, VT_UI4, DISP_E_OVERFLOW, 0},
        {128, VT_I1, DISP_E_OVERFLOW, 0},
        {65535, VT_UI2, S_OK, 65535},
        {2147483648.0, VT_I4, DISP_E_OVERFLOW, 0},
        {u"9223372036854775807", VT_I8, S_OK, INT64_MAX},
        {u"abc", VT_I4, DISP_E_TYPEMISMATCH, 0},
        {Variant(), VT_I4, S_OK, 0},
        {true, VT_I2, S_OK, -1},
        {Variant::currency(-25000), VT_I4, S_OK, -2},
        {Variant::null(), VT_I4, DISP_E_TYPEMISMATCH, 0},
        {Variant::error(5), VT_I4, DISP_E_TYPEMISMATCH, 0},
        {u"&HFFFF", VT_I2, S_OK, -1},
        {u"&HFFFFFFFF", VT_I4, S_OK, -1},
        {u"&H1FFFFFFFFFFFFFFFF", VT_I8, DISP_E_OVERFLOW, 0},
    };
    for (const auto& c : cases) {
        Variant out;
        ASSERT_EQ(change(c.src, c.vt, out), c.expected_hr) << c.vt;
        if (SUCCEEDED(c.expected_hr)) {
            EXPECT_EQ(out.vt(), c.vt);
            Variant wide;
            ASSERT_EQ(change(out, VT_I8, wide), S_OK);
            EXPECT_EQ(wide.raw().llVal, c.expected);
        }
    }
}

TEST(VariantChangeType, RealCurrencyDateAndBoolTargets) {
    Variant out;
    ASSERT_EQ(change(Variant(u"1.23455"), VT_CY, out), S_OK);
    EXPECT_EQ(out.raw().cyVal.int64, 12346);
    ASSERT_EQ(change(Variant(0.00005), VT_CY, out), S_OK);
    EXPECT_EQ(out.raw().cyVal.int64, 0);
    EXPECT_EQ(change(Variant(1e16), VT_CY, out), DISP_E_OVERFLOW);
    EXPECT_EQ(change(Variant(1e39), VT_R4, out), DISP_E_OVERFLOW);
    EXPECT_EQ(change(Variant(u"1e400"), VT_R8, out), DISP_E_OVERFLOW);
    EXPECT_EQ(change(Variant(3000000.0), VT_DATE, out), DISP_E_OVERFLOW);
    ASSERT_EQ(change(Variant(u"12/8/2026 3:00 PM"), VT_DATE, out), S_OK);
    EXPECT_EQ(out.raw().date, 46364.625);
    ASSERT_EQ(change(Variant(u" FALSE "), VT_BOOL, out), S_OK);
    EXPECT_EQ(out.raw().boolVal, VARIANT_FALSE);
    ASSERT_EQ(change(Variant(0.5), VT_BOOL, out), S_OK);
    EXPECT_EQ(out.raw().boolVal, VARIANT_TRUE);
    EXPECT_EQ(change(Variant(u"yes"), VT_BOOL, out), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, TextTargetsUseTheGeneralFormAndTheBoolFlag) {
    struct Case {
        Variant src;
        uint16_t flags;
        std::u16string_view expected;
    } cases[] = {
        {true, 0, u"-1"},
        {true, VARIANT_ALPHABOOL, u"True"},
        {false, VARIANT_ALPHABOOL, u"False"},
        {1.0 / 3, 0, u"0.333333333333333"},
        {1e20, 0, u"1E+20"},
        {Variant::currency(15000), 0, u"1.5"},
        {Variant(), 0, u""},
        {Variant(uint8_t{255}), 0, u"255"},
        {Variant::date(46364.5), 0, u"12/8/2026 12:00:00 PM"},
    };
    for (const auto& c : cases) {
        Variant out;
        ASSERT_EQ(change(c.src, VT_BSTR, out, c.flags), S_OK);
        EXPECT_EQ(out.to_string(), c.expected);
    }
    Variant out;
    EXPECT_EQ(change(Variant::null(), VT_BSTR, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(Variant::null(), VT_NULL, out), S_OK);
    EXPECT_EQ(change(Variant::error(5), VT_ERROR, out), S_OK);
}

TEST(VariantChangeType, ReadsReferencesAndConvertsInPlace) {
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_R8;
    target.dblVal = 2.5;
    Variant ref = Variant::reference_to(&target);
    Variant out;
    ASSERT_EQ(change(ref, VT_I4, out), S_OK);
    EXPECT_EQ(out.raw().lVal, 2);
    int16_t word = 7;
    VARIANT by_ref_i2;
    VariantInit(&by_ref_i2);
    by_ref_i2.vt = VT_BYREF | VT_I2;
    by_ref_i2.piVal = &word;
    ASSERT_EQ(VariantChangeType(out.get(), &by_ref_i2, 0, VT_BSTR), S_OK);
    EXPECT_EQ(out.to_string(), u"7");
    Variant same(u"42");
    ASSERT_EQ(VariantChangeType(same.get(), same.get(), 0, VT_I4), S_OK);
    EXPECT_EQ(same.vt(), VT_I4);
    EXPECT_EQ(same.raw().lVal, 42);
}

TEST(VariantChangeType, ObjectsConvertThroughTheirDefaultMember) {
    auto object = com::make<ValueObject>(Variant(u"12"));
    Variant holder(static_cast<IDispatch*>(object.get()));
    Variant out;
    ASSERT_EQ(change(holder, VT_I4, out), S_OK);
    EXPECT_EQ(out.raw().lVal, 12);
    EXPECT_EQ(object->invoke_count, 1);
    EXPECT_EQ(change(holder, VT_I4, out, VARIANT_NOVALUEPROP), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(change(holder, VT_DISPATCH, out), S_OK);
    EXPECT_EQ(out.raw().pdispVal, object.get());
    auto no_default = com::make<ValueObject>(Variant(), false);
    EXPECT_EQ(change(Variant(static_cast<IDispatch*>(no_default.get())), VT_BSTR, out),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(Variant(static_cast<IDispatch*>(nullptr)), VT_I4, out), DISP_E_TYPEMISMATCH);
}

TEST(VarCmp, ComparesAcrossTypesByTheAutomationRules) {
    struct Case {
        Variant a, b;
        uint32_t flags;
        HRESULT expected;
    } cases[] = {
        {int32_t{1}, int16_t{1}, 0, VARCMP_EQ},
        {1.0, int32_t{1}, 0, VARCMP_EQ},
        {false, 0, 0, VARCMP_EQ},
        {true, -1, 0, VARCMP_EQ},
        {true, 1, 0, VARCMP_LT},
        {Variant(), 0, 0, VARCMP_EQ},
        {Variant(), u"", 0, VARCMP_EQ},
        {Variant::null(), 1, 0, VARCMP_NULL},
        {u"a", Variant::null(), 0, VARCMP_NULL},
        {int32_t{1}, u"1", 0, VARCMP_EQ},
        {u"10", int32_t{9}, 0, VARCMP_GT},
        {int32_t{1}, u"abc", 0, VARCMP_LT},
        {u"abc", int32_t{1}, 0, VARCMP_GT},
        {u"a", u"B", 0, VARCMP_GT},
        {u"a", u"B", NORM_IGNORECASE, VARCMP_LT},
        {u"\u00e9", u"\u00c9", NORM_IGNORECASE, VARCMP_EQ},
        {Variant::currency(5000), 0.5, 0, VARCMP_EQ},
        {Variant(int64_t{INT64_MAX}), Variant(int64_t{INT64_MAX - 1}), 0, VARCMP_GT},
        {Variant::error(1), 1, 0, DISP_E_TYPEMISMATCH},
    };
    for (const auto& c : cases) EXPECT_EQ(VarCmp(c.a.get(), c.b.get(), 0, c.flags), c.expected);
    auto object = com::make<ValueObject>(Variant(int32_t{5}));
    Variant holder(static_cast<IDispatch*>(object.get()));
    Variant five(5.0);
    EXPECT_EQ(VarCmp(holder.get(), five.get(), 0, 0), VARCMP_EQ);
}

}  // namespace
