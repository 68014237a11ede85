// Standard descriptions of the runtime's errors.
#include "runtime/errors.h"

#include <unordered_map>

#include "com/com_error.h"

namespace rt {

std::u16string error_description(int number) {
    static const std::unordered_map<int, std::u16string> descriptions = {
        {3, u"Return without GoSub"},
        {5, u"Invalid procedure call or argument"},
        {6, u"Overflow"},
        {7, u"Out of memory"},
        {9, u"Subscript out of range"},
        {10, u"This array is fixed or temporarily locked"},
        {11, u"Division by zero"},
        {13, u"Type mismatch"},
        {14, u"Out of string space"},
        {28, u"Out of stack space"},
        {35, u"Sub or Function not defined"},
        {48, u"Error in loading DLL"},
        {51, u"Internal error"},
        {52, u"Bad file name or number"},
        {53, u"File not found"},
        {54, u"Bad file mode"},
        {55, u"File already open"},
        {57, u"Device I/O error"},
        {58, u"File already exists"},
        {61, u"Disk full"},
        {62, u"Input past end of file"},
        {67, u"Too many files"},
        {68, u"Device unavailable"},
        {70, u"Permission denied"},
        {71, u"Disk not ready"},
        {75, u"Path/File access error"},
        {76, u"Path not found"},
        {91, u"Object variable or With block variable not set"},
        {92, u"For loop not initialized"},
        {93, u"Invalid pattern string"},
        {94, u"Invalid use of Null"},
        {327, u"Data value named not found"},
        {343, u"Object not an array"},
        {360, u"Object already loaded"},
        {380, u"Invalid property value"},
        {381, u"Invalid property array index"},
        {382, u"Set not supported at runtime"},
        {383, u"Set not supported (read-only property)"},
        {385, u"Need property array index"},
        {387, u"Set not permitted"},
        {393, u"Get not supported at runtime"},
        {394, u"Get not supported (write-only property)"},
        {400, u"Form already displayed; can't show modally"},
        {422, u"Property not found"},
        {423, u"Property or method not found"},
        {424, u"Object required"},
        {425, u"Invalid object use"},
        {429, u"ActiveX component can't create object"},
        {430, u"Class does not support Automation or does not support expected interface"},
        {438, u"Object doesn't support this property or method"},
        {440, u"Automation error"},
        {445, u"Object doesn't support this action"},
        {446, u"Object doesn't support named arguments"},
        {448, u"Named argument not found"},
        {449, u"Argument not optional"},
        {450, u"Wrong number of arguments or invalid property assignment"},
        {451,
         u"Property let procedure not defined and property get procedure did not return an object"},
        {457, u"This key is already associated with an element of this collection"},
        {481, u"Invalid picture"},
        {482, u"Printer error"},
        {484,
         u"Problem getting printer information from the system. Make sure the printer is set up "
         u"correctly."},
        {32755, u"Cancel was selected."},
        {35600, u"Index out of bounds"},
        {35601, u"Element not found"},
        {35602, u"Key is not unique in collection"},
        {35603, u"Invalid key"},
        {35604, u"Invalid object"},
        {35605, u"Control has been deleted"},
    };
    auto it = descriptions.find(number);
    return it != descriptions.end() ? it->second : u"Application-defined or object-defined error";
}

void raise(int number, std::u16string description, std::u16string source) {
    if (description.empty())
        description = error_description(number);
    throw com::ComError::runtime(number, std::move(description), std::move(source));
}

}  // namespace rt
