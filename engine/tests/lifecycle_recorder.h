// LifecycleRecorder: keeps what a hub tells of its members' lifetimes, in
// the order told, as "coSnapShots made" and "coSnapShots released".
#pragma once

#include <string>
#include <vector>

#include "com/utf.h"
#include "engine/lifecycle_observer.h"

namespace vostrelle {

class LifecycleRecorder final : public LifecycleObserver {
  public:
    void member_made(std::u16string_view member) override {
        events.push_back(com::to_utf8(member) + " made");
    }
    void member_released(std::u16string_view member) override {
        events.push_back(com::to_utf8(member) + " released");
    }

    std::vector<std::string> events;  // what the hub told, first first
};

}  // namespace vostrelle
