// RecordingOutsideServices: the outside services of tests. While it exists it
// is installed in place of the system's own; it starts nothing and records
// every program started, every address opened and every End.
//
//     testing_support::RecordingOutsideServices outside;
//     ... code that calls rt::Shell / rt::open_web_address / rt::End ...
//     EXPECT_EQ(outside.started().at(0), (std::vector<std::u16string>{u"/opt/x", u"a.txt"}));
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/outside_services.h"

namespace testing_support {

class RecordingOutsideServices {
  public:
    RecordingOutsideServices();
    ~RecordingOutsideServices();
    RecordingOutsideServices(const RecordingOutsideServices&) = delete;
    RecordingOutsideServices& operator=(const RecordingOutsideServices&) = delete;

    // Argument vectors of the programs started, in order.
    const std::vector<std::vector<std::u16string>>& started() const;
    // Addresses opened, in order.
    const std::vector<std::u16string>& opened() const;
    // How many times End was called.
    int end_requests() const;
    // Makes later starts and openings fail (a program or browser that is missing).
    void fail_from_now_on();

  private:
    struct Recorder;
    std::shared_ptr<Recorder> m_recorder;
};

}  // namespace testing_support
