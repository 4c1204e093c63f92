#include "RegistryNode.h"

namespace pc_reg {

std::string FoldName(const std::string& name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(folded[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < folded.size()) {
      ++i;  // skip the trail byte
    } else if (c >= 'a' && c <= 'z') {
      folded[i] = static_cast<char>(c - 'a' + 'A');
    }
  }
  return folded;
}

RegNode* RegNode::Child(const std::string& childName) const {
  auto it = children.find(FoldName(childName));
  return it == children.end() ? nullptr : it->second.get();
}

int RegNode::FindValue(const std::string& valueName) const {
  const std::string folded = FoldName(valueName);
  for (size_t i = 0; i < values.size(); ++i) {
    if (FoldName(values[i].name) == folded) return static_cast<int>(i);
  }
  return -1;
}

void RegNode::MarkDeleted(bool value) {
  deleted = value;
  for (auto& child : children) child.second->MarkDeleted(value);
}

bool RegNode::InVolatileTree() const {
  for (const RegNode* n = this; n != nullptr; n = n->parent) {
    if (n->isVolatile) return true;
  }
  return false;
}

const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                            "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

RegTree::RegTree() {
  for (int i = 0; i < kRootCount; ++i) {
    roots[i] = std::make_shared<RegNode>();
    roots[i]->name = kRootNames[i];
  }
}

}  // namespace pc_reg
