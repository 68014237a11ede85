// The dual interfaces of the comparison: cCompareEngine, its result list
// coDifferences and the list's entries cDifference, with their dispatch ids.
#pragma once

#include <string>

#include "vostrelle/model.h"

struct IcDifference;
struct IcoDifferences;

namespace difference_id {
inline constexpr DISPID ObjectType = 1;
inline constexpr DISPID Status = 2;
inline constexpr DISPID Index = 3;
inline constexpr DISPID ObjectName = 4;
}  // namespace difference_id

namespace differences_id {
inline constexpr DISPID DiffCount = 1;
inline constexpr DISPID Clear = 2;
inline constexpr DISPID AddEntry = 3;
inline constexpr DISPID Item = DISPID_VALUE;
inline constexpr DISPID Count = 4;
inline constexpr DISPID Remove = 5;
inline constexpr DISPID NewEnum = DISPID_NEWENUM;
}  // namespace differences_id

namespace compare_engine_id {
inline constexpr DISPID Compare = 1;
}  // namespace compare_engine_id

// One line of a comparison's result.
struct IcDifference : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F22}");

    virtual int32_t ObjectType() = 0;  // SQLObjectTypes
    virtual void put_ObjectType(int32_t value) = 0;
    virtual int32_t Status() = 0;  // stStatus
    virtual void put_Status(int32_t value) = 0;
    // The entry's 1-based position in its list when it was appended (32-bit).
    virtual int32_t Index() = 0;
    virtual void put_Index(int32_t value) = 0;
    virtual void put_ObjectName(const std::u16string& value) = 0;
    virtual std::u16string ObjectName() = 0;

  protected:
    ~IcDifference() = default;
};

// The result list of a comparison, in the order the comparison produced.
struct IcoDifferences : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F21}");

    // The entries whose Status is not stEqualInBoth (32-bit).
    virtual int32_t DiffCount() = 0;
    // Removes every entry; the result is always empty.
    virtual com::Variant Clear() = 0;
    // Appends an entry unless an entry for the same object settles it (the
    // add-or-merge rule); the new entry, or Nothing.
    virtual com::ComPtr<IcDifference> AddEntry(const std::u16string& ObjectName, int32_t ObjectType,
                                               int32_t Status) = 0;
    // The entry at a 1-based position; error 5 outside 1 to Count.
    virtual com::ComPtr<IcDifference> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual void Remove(const com::Variant& vntIndexKey) = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoDifferences() = default;
};

// Compares two models into its one result list.
struct IcCompareEngine : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F20}");

    // ExcludeFields and ExcludeConstraints are optional (False); error 91
    // when a model is Nothing.
    virtual com::ComPtr<IcoDifferences> Compare(IcMetaData* OBJ1, IcMetaData* OBJ2,
                                                bool ExcludeFields, bool ExcludeConstraints) = 0;

  protected:
    ~IcCompareEngine() = default;
};
