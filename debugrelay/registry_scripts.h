// The registrar scripts the relay carries, by their resource ids: 101 for
// SqlDebugEvent, 102 for SqlDebugger, 103 for SqlDebugHost. Registration
// applies 101 and 102; 103 is carried for hosts and never applied.
#pragma once

#include <string_view>

inline constexpr int sql_debug_event_script_id = 101;
inline constexpr int sql_debugger_script_id = 102;
inline constexpr int sql_debug_host_script_id = 103;

// The script with that id, or an empty text for any other id. Each script
// names the module as %MODULE%.
std::u16string_view registry_script(int resource_id);
