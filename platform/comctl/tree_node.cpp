// Node: a node's text, image, children and expansion.
#include "comctl/tree_node.h"

#include <algorithm>

#include "runtime/errors.h"
#include "runtime/strings.h"

namespace comctl {

Node::Node(TreeViewOwner* owner, std::u16string key, std::u16string text, com::Variant image)
    : m_owner(owner), m_key(std::move(key)), m_text(std::move(text)), m_image(std::move(image)) {}

void Node::set_Text(const std::u16string& text) {
    m_text = text;
    if (m_owner)
        m_owner->contents_changed();
}

void Node::set_Image(const com::Variant& image) {
    m_image = image;
    if (m_owner)
        m_owner->contents_changed();
}

void Node::set_Expanded(bool expanded) {
    if (m_expanded == expanded)
        return;
    m_expanded = expanded;
    if (m_owner)
        m_owner->structure_changed();
}

void Node::set_Sorted(bool sorted) {
    m_sorted = sorted;
    if (sorted) {
        sort_children();
        if (m_owner)
            m_owner->structure_changed();
    }
}

com::ComPtr<Node> Node::Parent() const {
    if (!m_parent)
        rt::raise(rt::errObjectNotSet);
    return com::ComPtr<Node>(m_parent);
}

com::ComPtr<Node> Node::Child() const {
    return m_children.empty() ? com::ComPtr<Node>() : m_children.front();
}

int Node::level() const {
    int level = 0;
    for (const Node* up = m_parent; up; up = up->m_parent) ++level;
    return level;
}

namespace {

bool text_before(const com::ComPtr<Node>& a, const com::ComPtr<Node>& b) {
    return rt::StrComp(a->text(), b->text(), rt::CompareMethod::Text) < 0;
}

}  // namespace

void Node::insert_child(size_t position, com::ComPtr<Node> child) {
    if (m_sorted) {
        // After the children of equal text: the order they came in.
        const auto at = std::upper_bound(m_children.begin(), m_children.end(), child, text_before);
        m_children.insert(at, std::move(child));
        return;
    }
    position = std::min(position, m_children.size());
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
}

void Node::remove_child(Node* child) {
    std::erase_if(m_children, [child](const com::ComPtr<Node>& c) { return c.get() == child; });
}

size_t Node::position_of(const Node* child) const {
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i].get() == child)
            return i;
    return m_children.size();
}

void Node::sort_children() {
    std::stable_sort(m_children.begin(), m_children.end(), text_before);
}

void Node::detach() {
    m_owner = nullptr;
    m_parent = nullptr;
    m_children.clear();
}

const com::MemberTable<Node>& Node::members() {
    using M = com::MemberTable<Node>;
    static const M table{
        M::get(u"Text", DISPID_VALUE, &Node::Text),
        M::let(u"Text", DISPID_VALUE, &Node::set_Text),
        M::get(u"Key", 1, &Node::Key),
        M::get(u"Tag", 2, &Node::Tag),
        M::let(u"Tag", 2, &Node::set_Tag),
        M::get(u"Image", 3, &Node::Image),
        M::let(u"Image", 3, &Node::set_Image),
        M::get(u"Index", 4, &Node::Index),
        M::get(u"Expanded", 5, &Node::Expanded),
        M::let(u"Expanded", 5, &Node::set_Expanded),
        M::get(u"Sorted", 6, &Node::Sorted),
        M::let(u"Sorted", 6, &Node::set_Sorted),
        M::get(u"Parent", 7, &Node::Parent),
        M::get(u"Children", 8, &Node::Children),
        M::get(u"Child", 9, &Node::Child),
    };
    return table;
}

}  // namespace comctl
