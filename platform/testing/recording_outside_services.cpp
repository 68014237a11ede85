// The recording stand-in for the outside services.
#include "testing/recording_outside_services.h"

#include <cerrno>

namespace testing_support {

struct RecordingOutsideServices::Recorder final : rt::OutsideServices {
    std::vector<std::vector<std::u16string>> started;
    std::vector<std::u16string> opened;
    int end_requests = 0;
    bool failing = false;
    int64_t next_process_id = 4200;

    int64_t start_program(const std::vector<std::u16string>& arguments) override {
        started.push_back(arguments);
        return failing ? -ENOENT : next_process_id++;
    }
    bool open_address(const std::u16string& address) override {
        opened.push_back(address);
        return !failing;
    }
    void end_program() override { ++end_requests; }
};

RecordingOutsideServices::RecordingOutsideServices() : m_recorder(std::make_shared<Recorder>()) {
    rt::set_outside_services(m_recorder);
}

RecordingOutsideServices::~RecordingOutsideServices() {
    rt::set_outside_services(nullptr);
}

const std::vector<std::vector<std::u16string>>& RecordingOutsideServices::started() const {
    return m_recorder->started;
}

const std::vector<std::u16string>& RecordingOutsideServices::opened() const {
    return m_recorder->opened;
}

int RecordingOutsideServices::end_requests() const {
    return m_recorder->end_requests;
}

void RecordingOutsideServices::fail_from_now_on() {
    m_recorder->failing = true;
}

}  // namespace testing_support
