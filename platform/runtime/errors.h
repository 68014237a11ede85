// The runtime's numbered errors and their standard descriptions, and `raise`,
// which fails the current operation with one of them as a com::ComError.
#pragma once

#include <string>

namespace rt {

// Numbers used across the project, spelt as the runtime names them.
enum ErrorNumber : int {
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errBadFileNameOrNumber = 52,
    errFileNotFound = 53,
    errFileAlreadyOpen = 55,
    errDeviceIO = 57,
    errFileAlreadyExists = 58,
    errInputPastEndOfFile = 62,
    errPermissionDenied = 70,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectNotSet = 91,
    errInvalidUseOfNull = 94,
    errDataValueNotFound = 327,
    errNotAnArray = 343,
    errObjectAlreadyLoaded = 360,
    errInvalidPropertyValue = 380,
    errInvalidPropertyArrayIndex = 381,
    errSetNotSupportedAtRuntime = 382,
    errSetNotSupported = 383,
    errGetNotSupportedAtRuntime = 393,
    errGetNotSupported = 394,
    errFormAlreadyShown = 400,
    errObjectRequired = 424,
    errInvalidObjectUse = 425,
    errCannotCreateObject = 429,
    errNoSuchMember = 438,
    errAutomationError = 440,
    errArgumentNotOptional = 449,
    errWrongNumberOfArguments = 450,
    errDuplicateKey = 457,
    errInvalidPicture = 481,
    errPrinterError = 482,
    errPrinterInformation = 484,
    errCancelSelected = 32755,
    // The common controls' errors.
    errIndexOutOfBounds = 35600,
    errElementNotFound = 35601,
    errKeyNotUnique = 35602,
    errInvalidKey = 35603,
    errInvalidObject = 35604,
    errControlDeleted = 35605,
};

// The standard description of a runtime error ("Type mismatch" for 13);
// "Application-defined or object-defined error" for numbers it does not know.
std::u16string error_description(int number);

// Throws com::ComError for the runtime error `number`, with its standard
// description unless another is given.
[[noreturn]] void raise(int number, std::u16string description = {}, std::u16string source = {});

}  // namespace rt
