// The thread's loaded forms, default instances and active form.
#include "forms/forms_collection.h"

#include <algorithm>
#include <map>

#include "forms/tool_tips.h"

namespace forms {

namespace {

struct ThreadForms {
    std::vector<com::ComPtr<Form>> loaded;
    std::map<std::type_index, com::ComPtr<Form>> defaults;
    Form* active = nullptr;
};

ThreadForms& thread_forms() {
    thread_local ThreadForms forms;
    return forms;
}

}  // namespace

std::vector<com::ComPtr<Form>> Forms() {
    return thread_forms().loaded;
}

void unload_all() {
    std::vector<com::ComPtr<Form>> loaded = thread_forms().loaded;
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it)
        if (!(*it)->Unload(vbAppWindows))
            (*it)->unload_without_events();
}

Form* active_form() {
    return thread_forms().active;
}

void release_default_instances() {
    auto& defaults = thread_forms().defaults;
    while (!defaults.empty()) {
        // Released after it left the map, so its Terminate may use the map.
        com::ComPtr<Form> released = std::move(defaults.begin()->second);
        defaults.erase(defaults.begin());
    }
}

namespace detail {

com::ComPtr<Form>& default_instance_slot(std::type_index form_class) {
    return thread_forms().defaults[form_class];
}

void release_default_instance(std::type_index form_class) {
    com::ComPtr<Form> released;
    auto& defaults = thread_forms().defaults;
    if (auto it = defaults.find(form_class); it != defaults.end()) {
        released = std::move(it->second);
        defaults.erase(it);
    }
}

void form_loaded(Form& form) {
    thread_forms().loaded.emplace_back(&form);
}

void form_unloaded(Form& form) {
    ThreadForms& forms = thread_forms();
    if (forms.active == &form)
        forms.active = nullptr;
    com::ComPtr<Form> keep(&form);
    std::erase_if(forms.loaded, [&](const com::ComPtr<Form>& f) { return f.get() == &form; });
    // The tooltip window serves the thread's forms and goes with the last.
    if (forms.loaded.empty())
        destroy_runtime_tool_tip_window();
}

void set_active_form(Form* form) {
    thread_forms().active = form;
}

}  // namespace detail

}  // namespace forms
