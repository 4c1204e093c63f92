// The registry store's tree: keys with subkeys ordered by their folded names and values in
// creation order.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <ClassLib/Core/WinTypes.h>

namespace pc_reg {

// Upper-cases ASCII letters; the two bytes of a code page 936 character stay as they are,
// so a trail byte that happens to be a letter is never folded.
std::string FoldName(const std::string& name);

struct RegValue
{
    std::string name;  // as first written
    DWORD type = 0;
    std::string data;  // raw bytes
};

// The deepest key path the store keeps, in levels below a root (the platform's own bound).
// A file with a deeper key is damaged; a deeper key cannot be created.
constexpr size_t kMaxKeyDepth = 512;

// Nothing over the tree recurses per level: a tree is as deep as a damaged file makes it
// before the bound is checked, and the stack must survive tearing it down.
struct RegNode
{
    RegNode() = default;
    RegNode(const RegNode&) = delete;
    RegNode& operator=(const RegNode&) = delete;
    ~RegNode();

    std::string name;  // as first written
    RegNode* parent = nullptr;
    bool deleted = false;
    bool isVolatile = false;
    std::map<std::string, std::shared_ptr<RegNode>> children;  // by folded name

    RegNode* Child(const std::string& name) const;
    // The values in creation order; change them only through the members below, which keep
    // the index by folded name that FindValue reads.
    const std::vector<RegValue>& Values() const { return values; }
    // Index of the value with that name, or -1.
    int FindValue(const std::string& name) const;
    // Replaces the value at index, or adds it at the end (index -1); returns its index.
    int SetValue(int index, const RegValue& value);
    void InsertValue(int index, const RegValue& value);
    void EraseValue(int index);
    // Marks the node and everything below it deleted (or live again).
    void MarkDeleted(bool value);
    bool InVolatileTree() const;
    // Levels below the root.
    size_t Depth() const;

private:
    void Reindex();
    std::vector<RegValue> values;
    std::unordered_map<std::string, int> valueIndex;  // folded name -> index in values
};

// The four predefined roots, in the order the store file lists them.
constexpr int kRootCount = 4;
extern const char* const kRootNames[kRootCount];

struct RegTree
{
    std::shared_ptr<RegNode> roots[kRootCount];
    RegTree();
};

// The store file's text form.
std::string SerializeTree(const RegTree& tree);
// Fills tree from text; on failure returns false with a message naming the line.
bool ParseTree(const std::string& text, RegTree& tree, std::string& error);

}  // namespace pc_reg
