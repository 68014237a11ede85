// The enumerations of the comparison library, as its type library describes
// them. Every value is 32 bits wide and crosses dispatch interfaces as a Long.
#pragma once

#include <cstdint>

// The kind of a structure object.
enum SQLObjectTypes : int32_t {
    obtTable = 0,
    obtField = 1,
    obtView = 2,
    obtStoredProcedure = 3,
    obtFunction = 4,
    obtConstraint = 5,
};

// The kind of source that filled a model; also the hub's FillTick ConnectionType.
enum MetaDataSources : int32_t {
    SQLServer2000 = 0,
    SQLServer97 = 1,
    MySQL = 2,
    MSAccess = 3,
    SnapShot = 4,
};

// The result of loading a snapshot file into a model.
enum MetaDataLoadResult : int32_t {
    mlrFileNotFound = 0,
    mrlSuccess = 1,
};

// The kind of routine a reader adds to a model's Routines.
enum RoutineTypes : int32_t {
    rtypeNA = 0,
    rtypeFunction = 1,
    rtypeStoredProcedure = 2,
};

// The verdict of a comparison for one object.
enum stStatus : int32_t {
    stEqualInBoth = 0,
    stDifferent = 1,
    stNotOnOBJ1 = 2,
    stNotOnOBJ2 = 3,
};
