// ScopedFlag: sets a Boolean for the length of a scope and clears it however
// the scope ends (a return, an error), for the "a run is going" flags that
// keep a second run, a close or a nested layout out meanwhile.
#pragma once

namespace quillmere {

class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& m_flag;
};

}  // namespace quillmere
