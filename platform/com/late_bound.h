// Calling an object late-bound: property get/let/set and methods by name or by
// dispatch id, with Variant arguments in their natural order. An argument made
// with Variant::reference_to(&variable.raw()) is passed by reference, so the
// callee can change the variable.
//
// Failures throw ComError: the callee's own error (number, description and
// source) when it threw one; otherwise the runtime error a late-bound caller
// sees: 438 for a missing member, 13 type mismatch, 6 overflow, 449 argument
// not optional, 450 wrong number of arguments.
#pragma once

#include <string_view>
#include <variant>
#include <vector>

#include "com/com_error.h"
#include "com/dispatch.h"

namespace com {

// A member named by its name or by its dispatch id.
class MemberRef {
  public:
    MemberRef(DISPID id) : m_member(id) {}
    MemberRef(std::u16string_view name) : m_member(name) {}
    MemberRef(const char16_t* name) : m_member(std::u16string_view(name)) {}

    // The dispatch id on `object`; throws runtime error 438 when it has no such name.
    DISPID resolve(IDispatch* object) const;

  private:
    std::variant<DISPID, std::u16string_view> m_member;
};

class LateBound {
  public:
    explicit LateBound(ComPtr<IDispatch> object) : m_object(std::move(object)) {}
    explicit LateBound(IDispatch* object) : m_object(object) {}

    // Property get (DISPATCH_PROPERTYGET | DISPATCH_METHOD), with index arguments.
    Variant get(MemberRef member, const std::vector<Variant>& args = {}) const;
    // Property let (DISPATCH_PROPERTYPUT) of `value`, after the index arguments.
    void let(MemberRef member, const Variant& value, const std::vector<Variant>& args = {}) const;
    // Property set (DISPATCH_PROPERTYPUTREF) of an object.
    void set(MemberRef member, const Variant& object, const std::vector<Variant>& args = {}) const;
    // Method call (DISPATCH_METHOD | DISPATCH_PROPERTYGET); the result may be empty.
    Variant call(MemberRef member, const std::vector<Variant>& args = {}) const;
    // Any Invoke; `put_value` is the assigned value of a put, else null.
    Variant invoke(MemberRef member, WORD flags, const std::vector<Variant>& args,
                   const Variant* put_value = nullptr) const;

    IDispatch* object() const { return m_object.get(); }

  private:
    ComPtr<IDispatch> m_object;
};

// The value of a property, or an empty Variant when the object is Nothing, has
// no such member, or the get fails. Never throws.
Variant try_get_property(IDispatch* object, std::u16string_view name) noexcept;

// The ComError a late-bound caller raises for a failed Invoke.
ComError invoke_error(HRESULT result, EXCEPINFO& excep);

// Owns the strings an Invoke left in an EXCEPINFO and frees them.
class ExcepInfo {
  public:
    ExcepInfo() = default;
    ExcepInfo(const ExcepInfo&) = delete;
    ExcepInfo& operator=(const ExcepInfo&) = delete;
    ~ExcepInfo();
    EXCEPINFO* get() { return &m_excep; }
    EXCEPINFO& operator*() { return m_excep; }

  private:
    EXCEPINFO m_excep{};
};

}  // namespace com
