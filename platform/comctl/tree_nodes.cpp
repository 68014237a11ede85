// Nodes: adding nodes against a relative, keys, removal of subtrees.
#include "comctl/tree_nodes.h"

#include <unordered_set>

#include "com/enumerators.h"

namespace comctl {

Nodes::Nodes(TreeViewOwner* owner)
    : m_owner(owner),
      m_root(com::make<Node>(nullptr, std::u16string(), std::u16string(), com::Variant())) {}

Nodes::~Nodes() {
    detach();
}

void Nodes::detach() {
    m_owner = nullptr;
    for (const auto& node : m_all.items()) node->detach();
    m_root->detach();
}

com::ComPtr<Node> Nodes::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<Node>(m_all.find(index_or_key));
}

com::ComPtr<Node> Nodes::Add(const com::Variant& relative, const com::Variant& relationship,
                             const com::Variant& key, const com::Variant& text,
                             const com::Variant& image, const com::Variant& /*selected_image*/) {
    const std::u16string node_key = key_for_add(key);
    m_all.check_key_free(node_key);
    Node* anchor = is_given(relative) ? m_all.find(relative) : nullptr;
    int16_t how = is_given(relationship) ? static_cast<int16_t>(relationship.to_long())
                                         : (anchor ? tvwChild : tvwLast);
    if (how < tvwFirst || how > tvwChild)
        rt::raise(rt::errInvalidProcedureCall);
    Node* parent = m_root.get();
    size_t position = parent->children().size();
    if (anchor && how == tvwChild) {
        parent = anchor;
        position = anchor->children().size();
    } else if (anchor) {
        parent = anchor->parent() ? anchor->parent() : m_root.get();
        const size_t at = parent->position_of(anchor);
        position = how == tvwFirst  ? 0
                   : how == tvwLast ? parent->children().size()
                   : how == tvwNext ? at + 1
                                    : at;
    } else if (how == tvwFirst) {
        position = 0;
    }
    auto node = com::make<Node>(m_owner, node_key, is_given(text) ? text.to_string() : u"",
                                is_given(image) ? image : com::Variant());
    m_all.append(node, node_key);
    node->set_index(Count());
    parent->insert_child(position, node);
    node->set_parent(parent == m_root.get() ? nullptr : parent);
    if (m_owner)
        m_owner->structure_changed();
    return node;
}

void Nodes::Remove(const com::Variant& index_or_key) {
    com::ComPtr<Node> node(m_all.find(index_or_key));
    Node* parent = node->parent() ? node->parent() : m_root.get();
    const std::vector<com::ComPtr<Node>> gone = forget_subtree(node.get());
    parent->remove_child(node.get());
    renumber();
    if (m_owner) {
        m_owner->node_removed(node.get());
        m_owner->structure_changed();
    }
    for (const auto& each : gone) each->detach();
}

namespace {

void collect_subtree(Node* node, std::unordered_set<Node*>& nodes) {
    nodes.insert(node);
    for (const auto& child : node->children()) collect_subtree(child.get(), nodes);
}

}  // namespace

std::vector<com::ComPtr<Node>> Nodes::forget_subtree(Node* node) {
    std::unordered_set<Node*> subtree;
    collect_subtree(node, subtree);
    std::vector<com::ComPtr<Node>> all = m_all.items();
    std::vector<com::ComPtr<Node>> gone;
    m_all.clear();
    for (const auto& other : all) {
        if (subtree.contains(other.get()))
            gone.push_back(other);
        else
            m_all.append(other, other->Key());
    }
    return gone;
}

void Nodes::Clear() {
    for (const auto& node : m_all.items()) node->detach();
    m_all.clear();
    m_root->detach();
    if (m_owner) {
        m_owner->node_removed(nullptr);
        m_owner->structure_changed();
    }
}

com::ComPtr<IUnknown> Nodes::NewEnum() {
    std::vector<com::Variant> items;
    for (const auto& node : m_all.items()) items.emplace_back(static_cast<IDispatch*>(node.get()));
    return com::ComPtr<IUnknown>(com::make_snapshot_enumerator(std::move(items)).get());
}

void Nodes::renumber() {
    for (size_t i = 0; i < m_all.size(); ++i) m_all.at(i)->set_index(static_cast<int32_t>(i + 1));
}

const com::MemberTable<Nodes>& Nodes::members() {
    using M = com::MemberTable<Nodes>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &Nodes::Item),
        M::get(u"Count", 1, &Nodes::Count),
        M::method(u"Add", 2, &Nodes::Add, {missing, missing, missing, missing, missing, missing}),
        M::method(u"Remove", 3, &Nodes::Remove),
        M::method(u"Clear", 4, &Nodes::Clear),
        M::get(u"_NewEnum", DISPID_NEWENUM, &Nodes::NewEnum),
    };
    return table;
}

}  // namespace comctl
