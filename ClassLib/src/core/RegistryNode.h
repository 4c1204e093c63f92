// The registry store's tree: keys with subkeys ordered by their folded names and values in
// creation order.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <ClassLib/Core/WinTypes.h>

namespace pc_reg {

// Upper-cases ASCII letters; the two bytes of a code page 936 character stay as they are,
// so a trail byte that happens to be a letter is never folded.
std::string FoldName(const std::string& name);

struct RegValue {
  std::string name;  // as first written
  DWORD type = 0;
  std::string data;  // raw bytes
};

struct RegNode {
  std::string name;  // as first written
  RegNode* parent = nullptr;
  bool deleted = false;
  bool isVolatile = false;
  std::map<std::string, std::shared_ptr<RegNode>> children;  // by folded name
  std::vector<RegValue> values;

  RegNode* Child(const std::string& name) const;
  // Index of the value with that name, or -1.
  int FindValue(const std::string& name) const;
  // Marks the node and everything below it deleted (or live again).
  void MarkDeleted(bool value);
  bool InVolatileTree() const;
};

// The four predefined roots, in the order the store file lists them.
constexpr int kRootCount = 4;
extern const char* const kRootNames[kRootCount];

struct RegTree {
  std::shared_ptr<RegNode> roots[kRootCount];
  RegTree();
};

// The store file's text form.
std::string SerializeTree(const RegTree& tree);
// Fills tree from text; on failure returns false with a message naming the line.
bool ParseTree(const std::string& text, RegTree& tree, std::string& error);

}  // namespace pc_reg
