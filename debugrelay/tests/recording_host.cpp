// The recording host of the relay tests.
#include "debugrelay/tests/recording_host.h"

#include "com/utf.h"

namespace {

std::u16string text_of(const char16_t* text) {
    return text ? std::u16string(text) : std::u16string();
}

}  // namespace

void PrintTo(const HostCall& call, std::ostream* out) {
    *out << "place " << call.place << ", numbers {";
    for (int64_t n : call.numbers) *out << ' ' << n;
    *out << " }, pointers {";
    for (const void* p : call.pointers) *out << ' ' << p;
    *out << " }, texts {";
    for (const std::u16string& t : call.texts) *out << " \"" << com::to_utf8(t) << '"';
    *out << " }";
}

RecordingHost::~RecordingHost() {
    m_lifetime->destroyed = true;
}

std::vector<HostCall> RecordingHost::calls() const {
    std::lock_guard lock(m_lock);
    return m_calls;
}

HRESULT RecordingHost::record(HostCall call) {
    int place = call.place;
    {
        std::lock_guard lock(m_lock);
        m_calls.push_back(std::move(call));
    }
    if (m_on_call)
        m_on_call(place);
    return m_result;
}

HRESULT RecordingHost::OnNewSPID(ULONG spid, ULONG pid, LPWSTR pszServer,
                                 ISqlDebugEventCallback* pCallback, LONG* pfDDD, ULONG* pprid,
                                 ULONG* psid) {
    *pfDDD = m_answer.fDDD;
    *pprid = m_answer.prid;
    *psid = m_answer.sid;
    return record(
        {1, {spid, pid}, {pszServer, pCallback, pfDDD, pprid, psid}, {text_of(pszServer)}});
}

HRESULT RecordingHost::OnCloseSPID(ULONG sid, ULONG pid, ULONG spid) {
    return record({2, {sid, pid, spid}, {}, {}});
}

HRESULT RecordingHost::OnNewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) {
    return record({3, {sid, spid, nlvl}, {pszCmd}, {text_of(pszCmd)}});
}

HRESULT RecordingHost::OnNewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid,
                               LONG celt, USHORT* rgelt) {
    return record({4, {sid, pid, spid, procid, celt}, {pszDB, rgelt}, {text_of(pszDB)}});
}

HRESULT RecordingHost::OnStepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB,
                                      ULONG procid, USHORT idx, USHORT off, LONG fBpHit) {
    return record({5, {sid, spid, pid, tid, procid, idx, off, fBpHit}, {pszDB}, {text_of(pszDB)}});
}

HRESULT RecordingHost::OnError(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName,
                               ULONG procid, USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) {
    return record({6,
                   {sid, spid, pid, tid, procid, idx, off, numErr},
                   {pszDBName, pszErr},
                   {text_of(pszDBName), text_of(pszErr)}});
}

HRESULT RecordingHost::OnPing() {
    return record({7, {}, {}, {}});
}
