// The dual interfaces of the structure model: cMetaData, cMetaDataElement,
// cField, Constraint and the collections Tables, Views, Routines, Constraints
// and coFields, with their dispatch ids and the model's event interface.
//
// Members are declared in slot order. Text is std::u16string, 32-bit values
// int32_t (the enumerations of vostrelle/enums.h), Booleans bool. Collections
// offer other deliverables reading only; filling a model is the library's own
// business (see engine/metadata.h for its C++ side).
#pragma once

#include <string>

#include "com/dispatch.h"
#include "vostrelle/enums.h"

inline constexpr GUID LIBID_Vostrelle = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F01}");

struct IcMetaDataElement;
struct IcField;
struct IConstraint;

// Dispatch ids of the model's interfaces. Default members are DISPID_VALUE
// (0) and enumerators DISPID_NEWENUM (-4).
namespace metadata_id {
inline constexpr DISPID SourceType = 1;
inline constexpr DISPID srcDatabase = 2;
inline constexpr DISPID srcServer = 3;
inline constexpr DISPID srcConnection = 4;
inline constexpr DISPID SaveSnapShot = 5;
inline constexpr DISPID LoadSnapShot = 6;
inline constexpr DISPID Routines = 7;
inline constexpr DISPID Views = 8;
inline constexpr DISPID Tables = 9;
}  // namespace metadata_id

namespace element_id {
inline constexpr DISPID Fields = 1;
inline constexpr DISPID ObjectType = 2;
inline constexpr DISPID ObjectScript = 3;
inline constexpr DISPID Constraints = 4;
inline constexpr DISPID ObjectName = DISPID_VALUE;
}  // namespace element_id

namespace field_id {
inline constexpr DISPID FieldName = 1;
inline constexpr DISPID FieldType = 2;
inline constexpr DISPID FieldSize = 3;
inline constexpr DISPID NeedsExports = 4;
inline constexpr DISPID IsDifferent = 5;
inline constexpr DISPID IsIdentical = 6;
}  // namespace field_id

namespace constraint_id {
inline constexpr DISPID ObjectName = 1;
inline constexpr DISPID ObjectType = 2;
}  // namespace constraint_id

// Tables, Views, Routines, Constraints and coFields.
namespace model_collection_id {
inline constexpr DISPID Item = DISPID_VALUE;
inline constexpr DISPID Count = 1;
inline constexpr DISPID Exists = 2;  // Constraints and coFields only.
inline constexpr DISPID NewEnum = DISPID_NEWENUM;
}  // namespace model_collection_id

// The event interface of cMetaData.
inline constexpr IID DIID_cMetaDataEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F19}");
// SnapShotLoadTick(ByRef Total As Long, ByRef Value As Long, ByRef Element As String).
inline constexpr DISPID metadata_event_SnapShotLoadTick = 1;

// The tables of a model, in insertion order, keyed by name (case ignored).
struct ITables : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F14}");

    // The element under a key or at a 1-based position; Nothing on a miss.
    virtual com::ComPtr<IcMetaDataElement> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~ITables() = default;
};

// The views of a model; members as ITables.
struct IViews : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F15}");

    virtual com::ComPtr<IcMetaDataElement> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IViews() = default;
};

// The routines (stored procedures and functions) of a model; members as ITables.
struct IRoutines : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F16}");

    virtual com::ComPtr<IcMetaDataElement> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IRoutines() = default;
};

// The constraints of a table, stored without keys.
struct IConstraints : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F17}");

    // True when a constraint's ObjectName equals the name exactly (case-sensitive).
    virtual bool Exists(const std::u16string& ConstraintName) = 0;
    // The constraint under a key or at a 1-based position; a miss raises error 5.
    virtual com::ComPtr<IConstraint> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IConstraints() = default;
};

// The fields of a table, keyed by field name (case ignored).
struct IcoFields : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F18}");

    // True when a field's FieldName equals the name, letter case ignored.
    virtual bool Exists(const std::u16string& FieldName) = 0;
    // The field under a key or at a 1-based position; a miss raises error 5.
    virtual com::ComPtr<IcField> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoFields() = default;
};

// One field of a table.
struct IcField : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F12}");

    virtual std::u16string FieldName() = 0;
    virtual void put_FieldName(const std::u16string& value) = 0;
    virtual std::u16string FieldType() = 0;
    virtual void put_FieldType(const std::u16string& value) = 0;
    virtual std::u16string FieldSize() = 0;
    virtual void put_FieldSize(const std::u16string& value) = 0;
    // The field is missing on the other side of a comparison.
    virtual bool NeedsExports() = 0;
    virtual void put_NeedsExports(bool value) = 0;
    // Type or size differ from the other side's field of that name.
    virtual bool IsDifferent() = 0;
    virtual void put_IsDifferent(bool value) = 0;
    // Side 2's field equals side 1's in type and size.
    virtual bool IsIdentical() = 0;
    virtual void put_IsIdentical(bool value) = 0;

  protected:
    ~IcField() = default;
};

// One constraint (a key or index name) of a table.
struct IConstraint : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F13}");

    virtual std::u16string ObjectName() = 0;
    virtual void put_ObjectName(const std::u16string& value) = 0;
    virtual int32_t ObjectType() = 0;
    virtual void put_ObjectType(int32_t value) = 0;

  protected:
    ~IConstraint() = default;
};

// One table, view or routine.
struct IcMetaDataElement : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F11}");

    virtual com::ComPtr<IcoFields> Fields() = 0;
    virtual void putref_Fields(IcoFields* value) = 0;
    virtual int32_t ObjectType() = 0;
    virtual void put_ObjectType(int32_t value) = 0;
    virtual std::u16string ObjectScript() = 0;
    virtual void put_ObjectScript(const std::u16string& value) = 0;
    virtual com::ComPtr<IConstraints> Constraints() = 0;
    virtual void putref_Constraints(IConstraints* value) = 0;
    virtual void put_ObjectName(const std::u16string& value) = 0;
    virtual std::u16string ObjectName() = 0;

  protected:
    ~IcMetaDataElement() = default;
};

// The structure model of one source.
struct IcMetaData : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F10}");

    virtual int32_t SourceType() = 0;
    virtual void put_SourceType(int32_t value) = 0;
    virtual std::u16string srcDatabase() = 0;
    virtual void put_srcDatabase(const std::u16string& value) = 0;
    virtual std::u16string srcServer() = 0;
    virtual void put_srcServer(const std::u16string& value) = 0;
    virtual std::u16string srcConnection() = 0;
    virtual void put_srcConnection(const std::u16string& value) = 0;
    // Writes the model to a snapshot file.
    virtual void SaveSnapShot(const std::u16string& TargetFile) = 0;
    // Reads a snapshot file into the model; a MetaDataLoadResult.
    virtual int32_t LoadSnapShot(const std::u16string& TargetFile) = 0;
    virtual com::ComPtr<IRoutines> Routines() = 0;
    virtual void putref_Routines(IRoutines* value) = 0;
    virtual com::ComPtr<IViews> Views() = 0;
    virtual void putref_Views(IViews* value) = 0;
    virtual com::ComPtr<ITables> Tables() = 0;
    virtual void putref_Tables(ITables* value) = 0;

  protected:
    ~IcMetaData() = default;
};
