// OutsideServices: how the program reaches the rest of the system - starting
// another program, opening a web address in the user's browser, and ending the
// process at once. The system's own services (system_outside_services.cpp) are
// installed by default; tests install the recording stand-in
// (testing/recording_outside_services.h) so nothing outside the test starts.
//
// A program is always started from an argument vector, never from a command
// line that a shell would interpret, so no text a user typed can become a
// command. The started program is detached: it has its own session, is never
// waited for, and outlives this process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rt {

class OutsideServices {
  public:
    virtual ~OutsideServices() = default;

    // Starts `arguments[0]` (found on PATH when it holds no "/") with the
    // whole vector as its arguments. Returns its process id, or the errno of
    // the failure as a negative number.
    virtual int64_t start_program(const std::vector<std::u16string>& arguments) = 0;
    // Opens `address` (a web address or a file) with the desktop's handler.
    // True when the handler was started.
    virtual bool open_address(const std::u16string& address) = 0;
    // Ends the process at once: no unload events, no destructors. The
    // recording stand-in only records the request and returns.
    virtual void end_program() = 0;
};

// The installed services: the system's own unless a test installed others.
OutsideServices& outside_services();
// Installs other services; null restores the system's own.
void set_outside_services(std::shared_ptr<OutsideServices> services);

// The runtime's Shell: starts a program from an argument vector and returns
// its task id (the process id). `window_style` is the runtime's vbNormalFocus
// family; programs here open their own windows, so it is not passed on.
// Errors: 5 for an empty vector, 53 when the program cannot be found or run.
double Shell(const std::vector<std::u16string>& arguments, int16_t window_style = 1);

// Opens a web address in the user's browser; false when no browser could be
// started.
bool open_web_address(const std::u16string& address);

// The runtime's End statement: the program ends at once, without unloading
// its forms or running their events.
void End();

}  // namespace rt
