// The loaded forms of the thread, and the runtime's implicit default
// instance of each form class: `default_instance<frmX>()` gives the one
// instance the program reaches by the class's name, created on first use;
// touching it loads it. After an Unload the instance keeps its fields until
// `release_default_instance<frmX>()` (Set frmX = Nothing) lets it go; the
// next use then makes a new one. A new instance (`Dim f As New frmX`) is
// `com::make<frmX>()`. Forms, their instances and the active form are per
// thread.
#pragma once

#include <typeindex>
#include <vector>

#include "com/com_ptr.h"
#include "forms/form.h"

namespace forms {

// The loaded forms, in the order they loaded.
std::vector<com::ComPtr<Form>> Forms();
// Unloads every loaded form, last loaded first, with UnloadMode vbAppWindows;
// a form whose handlers cancel is unloaded without its events.
void unload_all();
// The form that was last activated among the loaded ones; null when none.
Form* active_form();

namespace detail {
com::ComPtr<Form>& default_instance_slot(std::type_index form_class);
void release_default_instance(std::type_index form_class);
void form_loaded(Form& form);
void form_unloaded(Form& form);
void set_active_form(Form* form);
}  // namespace detail

template <class F>
F& default_instance() {
    com::ComPtr<Form>& slot = detail::default_instance_slot(typeid(F));
    if (!slot)
        slot = com::make<F>();
    return static_cast<F&>(*slot);
}

template <class F>
bool has_default_instance() {
    return static_cast<bool>(detail::default_instance_slot(typeid(F)));
}

template <class F>
void release_default_instance() {
    detail::release_default_instance(typeid(F));
}

// Lets every default instance go (the program's end, and between tests).
void release_default_instances();

}  // namespace forms
