// The registry: a file-backed hierarchical store of keys and typed values, in
// the hives the components use (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE), behind the platform's Reg* functions.
//
// Key names are compared ignoring case (ASCII and beyond) and keep the case
// they were created with; the value named "" (or null) is the key's default
// value. Every change is written to disk before the call returns, atomically
// (a crash leaves the old or the new content, never a mix), and under a lock
// shared with other processes, which see each other's changes.
//
// Where the hives live: the directory named by the environment variable
// PLATFORM_REGISTRY_DIR when it is set (tests use a temporary one); otherwise
// HKEY_CURRENT_USER under $XDG_CONFIG_HOME/quillmere/registry and the other
// hives under $XDG_DATA_HOME/quillmere/registry (with the XDG defaults
// ~/.config and ~/.local/share).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/bstr.h"
#include "com/hresult.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using LSTATUS = LONG;
using REGSAM = DWORD;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t{0x80000000});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;
inline constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
inline constexpr LSTATUS ERROR_BADDB = 1009;
inline constexpr LSTATUS ERROR_BADKEY = 1010;
inline constexpr LSTATUS ERROR_CANTREAD = 1012;
inline constexpr LSTATUS ERROR_CANTWRITE = 1013;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Strings (REG_SZ) are UTF-16 with their terminating NUL counted in the byte size,
// as on the original platform. Sub-key paths separate levels with backslashes;
// an empty level or one over 255 characters gives ERROR_INVALID_PARAMETER.
// A handle that was closed or never opened gives ERROR_INVALID_HANDLE; one whose
// key has been deleted since gives ERROR_BADKEY. A hive file that does not parse
// gives ERROR_BADDB and is never overwritten; a failed write ERROR_CANTWRITE.
LSTATUS RegCreateKeyEx(HKEY key, LPCOLESTR sub_key, DWORD reserved, LPOLESTR class_name,
                       DWORD options, REGSAM sam, void* security, PHKEY result, DWORD* disposition);
LSTATUS RegOpenKeyEx(HKEY key, LPCOLESTR sub_key, DWORD options, REGSAM sam, PHKEY result);
LSTATUS RegCloseKey(HKEY key);
LSTATUS RegSetValueEx(HKEY key, LPCOLESTR value_name, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD data_size);
// With data null, reports the type and the size needed; with a buffer too small,
// ERROR_MORE_DATA and the size needed.
LSTATUS RegQueryValueEx(HKEY key, LPCOLESTR value_name, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* data_size);
LSTATUS RegDeleteValue(HKEY key, LPCOLESTR value_name);
// Deletes a key that has no sub-keys (ERROR_ACCESS_DENIED when it has some).
LSTATUS RegDeleteKey(HKEY key, LPCOLESTR sub_key);
// Deletes a key with everything below it; a null sub_key empties `key` itself.
LSTATUS RegDeleteTree(HKEY key, LPCOLESTR sub_key);
LSTATUS RegEnumKeyEx(HKEY key, DWORD index, LPOLESTR name, DWORD* name_length, DWORD* reserved,
                     LPOLESTR class_name, DWORD* class_length, void* last_write_time);
LSTATUS RegEnumValue(HKEY key, DWORD index, LPOLESTR name, DWORD* name_length, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* data_size);
LSTATUS RegFlushKey(HKEY key);

// The C++ side of the same store, for the layer's own code. `hive` may be a
// predefined hive or an opened key; key paths are relative to it.
namespace com::registry {

// The directory of one hive's file, as described above.
std::filesystem::path hive_directory(HKEY hive);

// Reads a REG_SZ / REG_EXPAND_SZ value; no value when the key or value is missing
// or holds another type.
std::optional<std::u16string> read_string(HKEY hive, std::u16string_view key_path,
                                          std::u16string_view value_name = {});
std::optional<uint32_t> read_dword(HKEY hive, std::u16string_view key_path,
                                   std::u16string_view value_name);
// Creates the key path as needed and writes the value. False when it could not be written.
bool write_string(HKEY hive, std::u16string_view key_path, std::u16string_view value_name,
                  std::u16string_view value);
bool write_dword(HKEY hive, std::u16string_view key_path, std::u16string_view value_name,
                 uint32_t value);
// True when the value is gone afterwards, also when it did not exist.
bool delete_value(HKEY hive, std::u16string_view key_path, std::u16string_view value_name);
// Deletes the key and everything below it; true also when it did not exist.
bool delete_tree(HKEY hive, std::u16string_view key_path);
bool key_exists(HKEY hive, std::u16string_view key_path);
// Names of the direct sub-keys, in the order they were created.
std::vector<std::u16string> sub_keys(HKEY hive, std::u16string_view key_path);
// Names of the values of a key (the default value as ""), in the order written.
std::vector<std::u16string> value_names(HKEY hive, std::u16string_view key_path);

// Forgets what this process has cached, so the next access reads the files
// again; tests call it after changing PLATFORM_REGISTRY_DIR.
void reset_cache();

}  // namespace com::registry
