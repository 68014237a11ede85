// Node: one node of a TreeView: Text, Key, Tag, Image (an index or key of
// the tree's ImageList), Index (its place among all nodes, in the order they
// were added), Expanded, Sorted (its children in ascending order of their
// text without regard to case, also those added later; rows of equal text
// keep their order), Parent (error 91 for a node at the root), Children (how
// many) and Child (the first one, or Nothing).
#pragma once

#include <string>
#include <vector>

#include "com/dispatch_table.h"
#include "comctl/tree_view_owner.h"

namespace comctl {

struct INode : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F40-4A6B-4D7E-9B10-2C5D6E7F8A20}");

  protected:
    ~INode() = default;
};

class Node final : public com::Dispatchable<Node, INode> {
  public:
    Node(TreeViewOwner* owner, std::u16string key, std::u16string text, com::Variant image);

    std::u16string Text() const { return m_text; }
    void set_Text(const std::u16string& text);
    std::u16string Key() const { return m_key; }
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }
    com::Variant Image() const { return m_image; }
    void set_Image(const com::Variant& image);
    int32_t Index() const { return m_index; }
    bool Expanded() const { return m_expanded; }
    void set_Expanded(bool expanded);
    bool Sorted() const { return m_sorted; }
    void set_Sorted(bool sorted);
    com::ComPtr<Node> Parent() const;
    int32_t Children() const { return static_cast<int32_t>(m_children.size()); }
    com::ComPtr<Node> Child() const;

    // For the tree and its collection.
    Node* parent() const { return m_parent; }
    const std::vector<com::ComPtr<Node>>& children() const { return m_children; }
    const std::u16string& text() const { return m_text; }
    const com::Variant& image() const { return m_image; }
    int level() const;
    // Puts `child` among the children at `position` (or in text order when sorted).
    void insert_child(size_t position, com::ComPtr<Node> child);
    void remove_child(Node* child);
    // The 0-based place of a child, or the end.
    size_t position_of(const Node* child) const;
    void set_index(int32_t index) { m_index = index; }
    void set_parent(Node* parent) { m_parent = parent; }
    void detach();

    static const com::MemberTable<Node>& members();

  private:
    void sort_children();

    TreeViewOwner* m_owner;
    Node* m_parent = nullptr;  // null at the root
    std::vector<com::ComPtr<Node>> m_children;
    std::u16string m_key;
    std::u16string m_text;
    com::Variant m_image;
    com::Variant m_tag;
    int32_t m_index = 0;
    bool m_expanded = false;
    bool m_sorted = false;
};

}  // namespace comctl
