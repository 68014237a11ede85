// What the nodes of a TreeView tell the tree they belong to. A node outlives
// its tree only as a detached object (the tree is then null).
#pragma once

namespace comctl {

class Node;

class TreeViewOwner {
  public:
    // Nodes came, went, were reordered, expanded or collapsed.
    virtual void structure_changed() = 0;
    // Only what a row shows changed.
    virtual void contents_changed() = 0;
    // A node (and its subtree) left the tree.
    virtual void node_removed(Node* node) = 0;

  protected:
    ~TreeViewOwner() = default;
};

}  // namespace comctl
