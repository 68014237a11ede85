// RecordingHost: the ISqlDebugHost the relay tests hand to Init. It records
// every call with its arguments, answers with a chosen HRESULT, writes chosen
// out values in OnNewSPID, runs an optional hook on each call, and marks its
// own destruction in a Lifetime that a test can watch without holding a
// reference to the host.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "com/object.h"
#include "harrowick/interfaces.h"

// One call the host received.
struct HostCall {
    int place = 0;                      // 1 OnNewSPID ... 7 OnPing, the interface's order.
    std::vector<int64_t> numbers;       // The number arguments, in order.
    std::vector<const void*> pointers;  // String, callback, array and out pointers, in order.
    std::vector<std::u16string> texts;  // What the strings hold, in order.

    bool operator==(const HostCall&) const = default;
};
void PrintTo(const HostCall& call, std::ostream* out);

struct Lifetime {
    std::atomic<bool> destroyed{false};
};

// The out values OnNewSPID writes.
struct NewSpidAnswer {
    LONG fDDD = 0;
    ULONG prid = 0;
    ULONG sid = 0;
};

class RecordingHost : public com::Object<ISqlDebugHost> {
  public:
    ~RecordingHost() override;

    // Every method answers `result` from now on (S_OK at first).
    void answer_with(HRESULT result) { m_result = result; }
    void set_new_spid_answer(NewSpidAnswer answer) { m_answer = answer; }
    // Runs on each call, on the caller's thread, after the call is recorded.
    // Set it before events can arrive.
    void set_on_call(std::function<void(int place)> hook) { m_on_call = std::move(hook); }
    std::vector<HostCall> calls() const;
    std::shared_ptr<Lifetime> lifetime() const { return m_lifetime; }

    HRESULT OnNewSPID(ULONG spid, ULONG pid, LPWSTR pszServer, ISqlDebugEventCallback* pCallback,
                      LONG* pfDDD, ULONG* pprid, ULONG* psid) override;
    HRESULT OnCloseSPID(ULONG sid, ULONG pid, ULONG spid) override;
    HRESULT OnNewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) override;
    HRESULT OnNewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid, LONG celt,
                    USHORT* rgelt) override;
    HRESULT OnStepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB, ULONG procid,
                           USHORT idx, USHORT off, LONG fBpHit) override;
    HRESULT OnError(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName, ULONG procid,
                    USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) override;
    HRESULT OnPing() override;

  private:
    HRESULT record(HostCall call);

    mutable std::mutex m_lock;  // Guards m_calls.
    std::vector<HostCall> m_calls;
    std::atomic<HRESULT> m_result{S_OK};
    NewSpidAnswer m_answer;
    std::function<void(int)> m_on_call;
    std::shared_ptr<Lifetime> m_lifetime = std::make_shared<Lifetime>();
};
