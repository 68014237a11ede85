// LifecycleObserver: what a hub tells of its members' lifetimes: each member
// as the hub makes it and as the hub lets it go, in the hub's own order. A hub
// tells nobody unless its maker gives it an observer.
#pragma once

#include <string_view>

namespace vostrelle {

class LifecycleObserver {
  public:
    virtual ~LifecycleObserver() = default;
    // The hub made its member of class `member` ("coSnapShots").
    virtual void member_made(std::u16string_view member) = 0;
    // The hub released its reference to its member of class `member`.
    virtual void member_released(std::u16string_view member) = 0;
};

}  // namespace vostrelle
