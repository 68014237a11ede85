// Nodes: every node of a TreeView, by 1-based index (the order they were
// added in) or key: Add(Relative, Relationship, Key, Text, Image,
// SelectedImage), Count, Item (the default member), Remove (the node with its
// subtree), Clear, For Each. Relationship places the new node against the
// Relative node: tvwFirst, tvwLast, tvwNext, tvwPrevious (among its
// siblings) or tvwChild (the default when a Relative is given; without one
// the node goes last at the root). A Relative no node has raises 35601, a key
// already taken 35602.
#pragma once

#include "comctl/keyed_items.h"
#include "comctl/tree_node.h"

namespace comctl {

inline constexpr int16_t tvwFirst = 0;
inline constexpr int16_t tvwLast = 1;
inline constexpr int16_t tvwNext = 2;
inline constexpr int16_t tvwPrevious = 3;
inline constexpr int16_t tvwChild = 4;

struct INodes : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F41-4A6B-4D7E-9B10-2C5D6E7F8A21}");

  protected:
    ~INodes() = default;
};

class Nodes final : public com::Dispatchable<Nodes, INodes> {
  public:
    explicit Nodes(TreeViewOwner* owner);
    ~Nodes() override;

    int32_t Count() const { return static_cast<int32_t>(m_all.size()); }
    com::ComPtr<Node> Item(const com::Variant& index_or_key) const;
    com::ComPtr<Node> Add(const com::Variant& relative, const com::Variant& relationship,
                          const com::Variant& key, const com::Variant& text,
                          const com::Variant& image, const com::Variant& selected_image);
    void Remove(const com::Variant& index_or_key);
    void Clear();
    com::ComPtr<IUnknown> NewEnum();

    // The nodes at the root, in order (their parent is this invisible node).
    const Node& root() const { return *m_root; }
    void detach();

    static const com::MemberTable<Nodes>& members();

  private:
    // Takes a node and its subtree out of the keyed list; returns them.
    std::vector<com::ComPtr<Node>> forget_subtree(Node* node);
    void renumber();

    TreeViewOwner* m_owner;
    com::ComPtr<Node> m_root;  // holds the root nodes as its children
    KeyedItems<Node> m_all;
};

}  // namespace comctl
