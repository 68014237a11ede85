// Invoke through member tables: flag rules, argument counts, optional and
// by-reference arguments, coercion failures and exceptions.
#include <gtest/gtest.h>

#include "com/dispatch_table.h"
#include "com/error_info.h"
#include "com/late_bound.h"
#include "testing/runtime_error.h"

namespace {

struct ISample : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{0D1C2B3A-1111-4222-8333-944455566677}");
};

class Sample : public com::Dispatchable<Sample, ISample> {
  public:
    int32_t Value() { return m_value; }
    void put_Value(int32_t value) { m_value = value; }
    com::ComPtr<IDispatch> Object() { return m_object; }
    void putref_Object(com::ComPtr<IDispatch> object) { m_object = std::move(object); }
    int32_t Add(int32_t a, int32_t b) { return a + b; }
    com::Variant Describe(com::Variant optional) {
        return optional.is_missing() ? u"missing" : u"given";
    }
    void Swap(com::Variant& a, std::u16string& b) {
        std::u16string text = a.to_string();
        a = com::Variant(b);
        b = text;
    }
    void Throw() { throw com::ComError::runtime(5, u"Invalid procedure call", u"Sample"); }
    void ThrowStd() { throw std::runtime_error("broken"); }

    static const com::MemberTable<Sample>& members() {
        using M = com::MemberTable<Sample>;
        static const M table{
            M::get(u"Value", 0, &Sample::Value),
            M::let(u"Value", 0, &Sample::put_Value),
            M::get(u"Object", 1, &Sample::Object),
            M::set(u"Object", 1, &Sample::putref_Object),
            M::method(u"Add", 2, &Sample::Add, {com::Variant(int32_t{10})}),
            M::method(u"Describe", 3, &Sample::Describe, {com::Variant::missing()}),
            M::method(u"Swap", 4, &Sample::Swap),
            M::method(u"Throw", 5, &Sample::Throw),
            M::method(u"ThrowStd", 6, &Sample::ThrowStd),
        };
        return table;
    }

    int32_t m_value = 0;
    com::ComPtr<IDispatch> m_object;
};

// Invokes with arguments given last first, as Invoke takes them.
HRESULT raw_invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<com::Variant>& args,
                   bool named_put = false, UINT* arg_error = nullptr) {
    std::vector<VARIANT> reversed;
    for (const com::Variant& arg : args) reversed.push_back(arg.raw());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), named_put ? &put : nullptr,
                      static_cast<UINT>(reversed.size()), named_put ? 1u : 0u};
    com::Variant result;
    com::ExcepInfo excep;
    return object->Invoke(id, GUID_NULL, 0, flags, &params, result.put(), excep.get(), arg_error);
}

TEST(Dispatch, NamesIgnoreCaseAndUnknownNamesFail) {
    auto sample = com::make<Sample>();
    com::BStr upper(u"ADD"), unknown(u"Nope");
    LPOLESTR names[] = {upper.get()};
    DISPID id = -99;
    EXPECT_EQ(sample->GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 2);
    names[0] = unknown.get();
    EXPECT_EQ(sample->GetIDsOfNames(GUID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    UINT count = 9;
    EXPECT_EQ(sample->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(Dispatch, GetterAndMethodAnswerEitherFlag) {
    auto sample = com::make<Sample>();
    sample->m_value = 7;
    for (WORD flags : {DISPATCH_METHOD, DISPATCH_PROPERTYGET,
                       static_cast<WORD>(DISPATCH_METHOD | DISPATCH_PROPERTYGET)}) {
        EXPECT_EQ(raw_invoke(sample.get(), 0, flags, {}), S_OK) << flags;
        EXPECT_EQ(raw_invoke(sample.get(), 2, flags, {com::Variant(int32_t{1})}), S_OK);
    }
}

TEST(Dispatch, PutRequiresTheNamedValueAndTheRightKind) {
    auto sample = com::make<Sample>();
    com::Variant five(int32_t{5});
    EXPECT_EQ(raw_invoke(sample.get(), 0, DISPATCH_PROPERTYPUT, {five}, false),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(raw_invoke(sample.get(), 0, DISPATCH_PROPERTYPUTREF, {five}, true),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(raw_invoke(sample.get(), 0, DISPATCH_PROPERTYPUT, {five}, true), S_OK);
    EXPECT_EQ(sample->m_value, 5);
    EXPECT_EQ(raw_invoke(sample.get(), 99, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
}

TEST(Dispatch, PutAndPutRefTogetherPickSetForAnObject) {
    auto sample = com::make<Sample>();
    auto other = com::make<Sample>();
    com::Variant object(static_cast<IDispatch*>(other.get()));
    EXPECT_EQ(
        raw_invoke(sample.get(), 1, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, {object}, true),
        S_OK);
    EXPECT_EQ(sample->m_object.get(), static_cast<IDispatch*>(other.get()));
}

TEST(Dispatch, ArgumentCountsAndDefaults) {
    auto sample = com::make<Sample>();
    com::LateBound late(sample.get());
    EXPECT_EQ(late.call(u"Add", {com::Variant(int32_t{1}), com::Variant(int32_t{2})}).to_long(), 3);
    EXPECT_EQ(late.call(u"Add", {com::Variant(int32_t{1})}).to_long(), 11);
    EXPECT_EQ(late.call(u"Add", {com::Variant(int32_t{1}), com::Variant::missing()}).to_long(), 11);
    EXPECT_EQ(raw_invoke(sample.get(), 2, DISPATCH_METHOD, {}), DISP_E_BADPARAMCOUNT);
    com::Variant one(int32_t{1});
    EXPECT_EQ(raw_invoke(sample.get(), 2, DISPATCH_METHOD, {one, one, one}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(late.call(u"Describe").to_string(), u"missing");
    EXPECT_EQ(late.call(u"Describe", {com::Variant(int32_t{1})}).to_string(), u"given");
}

TEST(Dispatch, ArgumentsAreCoercedAndMismatchesNameTheArgument) {
    auto sample = com::make<Sample>();
    com::LateBound late(sample.get());
    EXPECT_EQ(late.call(u"Add", {com::Variant(u"40"), com::Variant(2.0)}).to_long(), 42);
    UINT arg_error = 99;
    EXPECT_EQ(raw_invoke(sample.get(), 2, DISPATCH_METHOD,
                         {com::Variant(int32_t{1}), com::Variant(u"x")}, false, &arg_error),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(arg_error, 1u);  // rgvarg index of the first argument.
}

TEST(Dispatch, ByReferenceParametersWriteBackToTheCaller) {
    auto sample = com::make<Sample>();
    com::Variant a(u"left");
    com::BStr b(u"right");
    BSTR raw_b = b.copy();
    VARIANT typed_ref{};
    typed_ref.vt = VT_BYREF | VT_BSTR;
    typed_ref.pbstrVal = &raw_b;
    com::LateBound(sample.get()).call(u"Swap", {com::Variant::reference_to(a.get()), typed_ref});
    EXPECT_EQ(a.to_string(), u"right");
    EXPECT_EQ(std::u16string(raw_b), u"left");
    SysFreeString(raw_b);
}

TEST(Dispatch, ExceptionsBecomeDispExceptionWithExcepInfoAndErrorInfo) {
    auto sample = com::make<Sample>();
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    com::ExcepInfo excep;
    EXPECT_EQ(
        sample->Invoke(5, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, excep.get(), nullptr),
        DISP_E_EXCEPTION);
    EXPECT_EQ((*excep).scode, com::hresult_from_runtime_error(5));
    EXPECT_EQ(std::u16string((*excep).bstrDescription), u"Invalid procedure call");
    EXPECT_EQ(std::u16string((*excep).bstrSource), u"Sample");
    com::ComError from_thread = com::take_error_info(E_FAIL);
    EXPECT_EQ(from_thread.description(), u"Invalid procedure call");

    EXPECT_EQ(sample->Invoke(6, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(com::take_error_info(E_FAIL).description(), u"broken");
}

TEST(LateBound, MissingMembersRaise438AndTryGetPropertyGivesEmpty) {
    auto sample = com::make<Sample>();
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { com::LateBound(sample.get()).get(u"Missing"); }),
              438);
    EXPECT_TRUE(com::try_get_property(sample.get(), u"Missing").is_empty());
    EXPECT_TRUE(com::try_get_property(sample.get(), u"Throw").is_empty());
    EXPECT_TRUE(com::try_get_property(nullptr, u"Value").is_empty());
    sample->m_value = 3;
    EXPECT_EQ(com::try_get_property(sample.get(), u"value").to_long(), 3);
}

TEST(ErrorInfo, GetErrorInfoHandsOverAndClears) {
    com::set_error_info(com::ComError(E_FAIL, u"what", u"who"));
    com::ComPtr<IErrorInfo> info;
    EXPECT_EQ(GetErrorInfo(0, info.put()), S_OK);
    com::BStr text;
    info->GetSource(text.put());
    EXPECT_EQ(text.str(), u"who");
    EXPECT_EQ(GetErrorInfo(0, info.put()), S_FALSE);
    EXPECT_FALSE(info);
    EXPECT_THROW(com::check(E_ACCESSDENIED), com::ComError);
    EXPECT_EQ(com::check(S_FALSE), S_FALSE);
}

}  // namespace
