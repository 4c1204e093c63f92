#include "RegistryNode.h"

namespace pc_reg {

std::string FoldName(const std::string& name)
{
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

RegNode::~RegNode()
{
    // Children whose last owner is this tree are taken apart here, one at a time, so that
    // no destructor runs inside another's.
    std::vector<std::shared_ptr<RegNode>> pending;
    for (auto& child : children)
        pending.push_back(std::move(child.second));
    children.clear();
    while (!pending.empty()) {
        std::shared_ptr<RegNode> node = std::move(pending.back());
        pending.pop_back();
        if (node.use_count() == 1) {
            for (auto& child : node->children)
                pending.push_back(std::move(child.second));
            node->children.clear();
        }
    }
}

RegNode* RegNode::Child(const std::string& childName) const
{
    auto it = children.find(FoldName(childName));
    return it == children.end() ? nullptr : it->second.get();
}

int RegNode::FindValue(const std::string& valueName) const
{
    auto it = valueIndex.find(FoldName(valueName));
    return it == valueIndex.end() ? -1 : it->second;
}

int RegNode::SetValue(int index, const RegValue& value)
{
    if (index >= 0 && index < static_cast<int>(values.size())) {
        const std::string oldKey = FoldName(values[index].name);
        values[index] = value;
        const std::string newKey = FoldName(value.name);
        if (newKey != oldKey) {
            valueIndex.erase(oldKey);
            valueIndex[newKey] = index;
        }
        return index;
    }
    values.push_back(value);
    valueIndex[FoldName(value.name)] = static_cast<int>(values.size()) - 1;
    return static_cast<int>(values.size()) - 1;
}

void RegNode::InsertValue(int index, const RegValue& value)
{
    if (index < 0 || index > static_cast<int>(values.size()))
        index = static_cast<int>(values.size());
    values.insert(values.begin() + index, value);
    Reindex();
}

void RegNode::EraseValue(int index)
{
    if (index < 0 || index >= static_cast<int>(values.size()))
        return;
    values.erase(values.begin() + index);
    Reindex();
}

void RegNode::Reindex()
{
    valueIndex.clear();
    for (size_t i = 0; i < values.size(); ++i)
        valueIndex[FoldName(values[i].name)] = static_cast<int>(i);
}

void RegNode::MarkDeleted(bool value)
{
    std::vector<RegNode*> pending{this};
    while (!pending.empty()) {
        RegNode* node = pending.back();
        pending.pop_back();
        node->deleted = value;
        for (auto& child : node->children)
            pending.push_back(child.second.get());
    }
}

bool RegNode::InVolatileTree() const
{
    for (const RegNode* n = this; n != nullptr; n = n->parent) {
        if (n->isVolatile)
            return true;
    }
    return false;
}

size_t RegNode::Depth() const
{
    size_t depth = 0;
    for (const RegNode* n = parent; n != nullptr; n = n->parent)
        ++depth;
    return depth;
}

const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                            "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

RegTree::RegTree()
{
    for (int i = 0; i < kRootCount; ++i) {
        roots[i] = std::make_shared<RegNode>();
        roots[i]->name = kRootNames[i];
    }
}

}  // namespace pc_reg
