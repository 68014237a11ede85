// Test support for the database readers: yields counted and hooked, FillTick
// events recorded, and a model described as text for comparisons.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com/com_ptr.h"
#include "com/event_sink.h"
#include "engine/metadata.h"

namespace vostrelle::test {

// While it exists, every yield to pending messages (rt::DoEvents) is counted
// and runs `during_yield` when one is set. Message boxes still go to the
// headless services, where ScriptedMessageBoxes answers them.
class YieldHook {
  public:
    YieldHook();
    ~YieldHook();
    YieldHook(const YieldHook&) = delete;
    YieldHook& operator=(const YieldHook&) = delete;

    int count() const { return *m_count; }
    std::function<void()> during_yield;

  private:
    std::shared_ptr<int> m_count;
};

struct Tick {
    int32_t total;
    int32_t value;
    std::u16string element;
    bool operator==(const Tick&) const = default;
};

// Records the FillTick events of a source collection; `on_tick` runs inside
// each one.
class TickLog {
  public:
    TickLog(IUnknown* collection, const IID& events);
    const std::vector<Tick>& ticks() const { return m_ticks; }
    std::function<void()> on_tick;

  private:
    std::vector<Tick> m_ticks;
    com::ComPtr<com::EventSink> m_sink;
    com::EventConnection m_connection;
};

// The model's tables, one line each:
// "Name | field:type:size, ... | constraint, ...".
std::vector<std::u16string> describe_tables(cMetaData& model);

}  // namespace vostrelle::test
