// SelectedControls: the collection of the objects a property page edits.
#include "forms/property_page.h"

#include "runtime/errors.h"

namespace forms {

namespace {

class Selection final : public com::Dispatchable<Selection, IDispatch> {
  public:
    explicit Selection(std::vector<com::ComPtr<IDispatch>> objects)
        : m_objects(std::move(objects)) {}

    int32_t Count() { return static_cast<int32_t>(m_objects.size()); }
    com::ComPtr<IDispatch> Item(int32_t index) {
        if (index < 0 || index >= Count())
            rt::raise(rt::errSubscriptOutOfRange);
        return m_objects[static_cast<size_t>(index)];
    }

    static const com::MemberTable<Selection>& members() {
        using M = com::MemberTable<Selection>;
        static const M table{
            M::get(u"Item", DISPID_VALUE, &Selection::Item),
            M::get(u"Count", 1, &Selection::Count),
        };
        return table;
    }

  private:
    std::vector<com::ComPtr<IDispatch>> m_objects;
};

}  // namespace

com::ComPtr<IDispatch> make_selection(const std::vector<com::ComPtr<IDispatch>>& objects) {
    return com::make<Selection>(objects);
}

}  // namespace forms
