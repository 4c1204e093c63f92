// The process's one registry store: the tree, the open handles and the file behind them.
// Every member expects the caller to hold mutex().
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <ClassLib/Registry/Registry.h>

#include "RegistryNode.h"

namespace pc_reg {

class RegistryStore
{
public:
    static RegistryStore& Instance();

    std::recursive_mutex& mutex() { return m_mutex; }

    // Loads the file on first use.
    void EnsureLoaded();

    // The node and rights behind a handle.
    LONG Resolve(HKEY hKey, std::shared_ptr<RegNode>& node, REGSAM& access);
    HKEY OpenHandle(const std::shared_ptr<RegNode>& node, REGSAM access);
    LONG CloseHandle(HKEY hKey);

    // Writes the store after a change to node's tree; when that fails, runs undo and returns
    // ERROR_WRITE_FAULT. Changes inside volatile keys need no write.
    LONG Commit(const RegNode& changed, const std::function<void()>& undo);

    // False while a store file that could not be read or set aside must not be overwritten.
    bool Writable() const { return m_writable; }
    // Also false inside a root a test made read-only.
    bool Writable(const RegNode& node) const;
    bool ReadOnlyRoot(const RegNode& node) const;
    void SetFailure(HKEY hRoot, DWORD failure);

    void SetTestFile(const char* path);

private:
    RegistryStore() = default;
    std::string ResolvePath() const;
    void Load();
    bool Save();
    void Reset();

    std::recursive_mutex m_mutex;
    bool m_loaded = false;
    bool m_writable = true;
    bool m_haveTestPath = false;
    std::string m_testPath;
    std::string m_path;
    RegTree m_tree;
    DWORD m_failure[kRootCount] = {};

    // The root index of the tree holding node, or -1.
    int RootOf(const RegNode& node) const;

    struct Handle
    {
        std::shared_ptr<RegNode> node;
        REGSAM access;
    };
    std::map<uintptr_t, Handle> m_handles;
    uintptr_t m_nextHandle = 0x1000;
};

}  // namespace pc_reg
