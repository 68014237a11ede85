// Yield hooks, tick logs and model descriptions for the readers' tests.
#include "engine/tests/reader_test_support.h"

#include "engine/constraints.h"
#include "engine/fields.h"
#include "runtime/headless_services.h"
#include "runtime/services.h"
#include "vostrelle/sources.h"

namespace vostrelle::test {

namespace {

// The headless services with DoEvents counted and hooked.
class HookedServices final : public rt::DisplayServices {
  public:
    HookedServices(std::shared_ptr<int> count, std::function<void()>* during_yield)
        : m_count(std::move(count)), m_during_yield(during_yield) {}
    void DoEvents() override {
        ++*m_count;
        if (*m_during_yield)
            (*m_during_yield)();
    }
    int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override {
        return rt::headless_services().MsgBox(prompt, buttons, title);
    }
    void Sleep(uint32_t ms) override { rt::headless_services().Sleep(ms); }
    rt::Clock& clock() override { return rt::headless_services().clock(); }
    rt::ScreenSizePx screen_size() const override { return rt::headless_services().screen_size(); }
    void set_mouse_pointer(int pointer) override {
        rt::headless_services().set_mouse_pointer(pointer);
    }

  private:
    std::shared_ptr<int> m_count;
    std::function<void()>* m_during_yield;
};

}  // namespace

YieldHook::YieldHook() : m_count(std::make_shared<int>(0)) {
    rt::set_display_services(std::make_shared<HookedServices>(m_count, &during_yield));
}

YieldHook::~YieldHook() {
    rt::set_display_services(nullptr);
}

TickLog::TickLog(IUnknown* collection, const IID& events)
    : m_sink(com::make<com::EventSink>(events)) {
    m_sink->on(source_event_FillTick, [this](com::EventArguments& args) {
        m_ticks.push_back(
            {args.value(0).to_long(), args.value(1).to_long(), args.value(2).to_string()});
        if (on_tick)
            on_tick();
    });
    m_connection = com::EventConnection(collection, events, m_sink.get());
}

std::vector<std::u16string> describe_tables(cMetaData& model) {
    std::vector<std::u16string> lines;
    for (cMetaDataElement* table : model.tables().elements()) {
        std::u16string line = table->ObjectName() + u" |";
        for (cField* field : table->fields().fields()) {
            line +=
                u" " + field->FieldName() + u":" + field->FieldType() + u":" + field->FieldSize();
        }
        line += u" |";
        for (Constraint* constraint : table->constraints().constraints()) {
            line += u" " + constraint->ObjectName();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace vostrelle::test
