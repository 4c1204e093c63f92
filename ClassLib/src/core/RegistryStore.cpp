#include "RegistryStore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pc_reg {

namespace {

bool ReadFile(const std::string& path, std::string& text, bool& missing)
{
    missing = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT || errno == ENOTDIR;
        return false;
    }
    text.clear();
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        text.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool MakeDirectories(const std::string& dir)
{
    if (dir.empty() || dir == "/" || dir == ".")
        return true;
    struct stat st
    {};
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (!MakeDirectories(DirectoryOf(dir)))
        return false;
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Moves a damaged store out of the way: path.bad, or path.bad.N when that exists.
bool SetAside(const std::string& path, std::string& movedTo)
{
    for (int i = 0; i < 1000; ++i) {
        movedTo = path + ".bad";
        if (i > 0)
            movedTo += "." + std::to_string(i);
        struct stat st
        {};
        if (::lstat(movedTo.c_str(), &st) == 0)
            continue;
        return ::rename(path.c_str(), movedTo.c_str()) == 0;
    }
    return false;
}

int RootIndex(HKEY hKey)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(hKey);
    for (int i = 0; i < kRootCount; ++i) {
        if (v == static_cast<uintptr_t>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000u + i))))
            return i;
    }
    return -1;
}

}  // namespace

RegistryStore& RegistryStore::Instance()
{
    static RegistryStore* store = new RegistryStore();  // lives to the end of the process
    return *store;
}

std::string RegistryStore::ResolvePath() const
{
    if (m_haveTestPath)
        return m_testPath;
    const char* file = std::getenv("PC_REGISTRY_FILE");
    // ":memory:" keeps the store in memory only: test programs never touch a user's settings.
    if (file != nullptr && std::string(file) == ":memory:")
        return std::string();
    if (file != nullptr && *file != '\0')
        return file;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/project-client/registry.txt";
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const struct passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
    }
    if (home == nullptr || *home == '\0')
        return std::string();  // memory only
    return std::string(home) + "/.config/project-client/registry.txt";
}

void RegistryStore::EnsureLoaded()
{
    if (!m_loaded)
        Load();
}

void RegistryStore::Load()
{
    m_loaded = true;
    m_writable = true;
    m_tree = RegTree();
    m_path = ResolvePath();
    if (m_path.empty())
        return;

    std::string text;
    bool missing = false;
    if (!ReadFile(m_path, text, missing)) {
        if (!missing) {
            // Unreadable but present: keep it as it is and do not overwrite it.
            std::fprintf(stderr, "registry: cannot read %s (%s); settings are not saved\n",
                         m_path.c_str(), std::strerror(errno));
            m_writable = false;
        }
        return;
    }
    if (text.empty())
        return;

    RegTree loaded;
    std::string error;
    if (ParseTree(text, loaded, error)) {
        m_tree = loaded;
        return;
    }
    std::string movedTo;
    if (SetAside(m_path, movedTo)) {
        std::fprintf(stderr, "registry: %s is damaged (%s); moved to %s, starting empty\n",
                     m_path.c_str(), error.c_str(), movedTo.c_str());
    } else {
        std::fprintf(stderr,
                     "registry: %s is damaged (%s) and cannot be moved; settings are not saved\n",
                     m_path.c_str(), error.c_str());
        m_writable = false;
    }
}

bool RegistryStore::Save()
{
    if (m_path.empty())
        return true;
    if (!m_writable)
        return false;
    const std::string dir = DirectoryOf(m_path);
    if (!MakeDirectories(dir))
        return false;
    std::string temp = m_path + ".XXXXXX";
    const int fd = ::mkstemp(&temp[0]);
    if (fd < 0)
        return false;
    const std::string text = SerializeTree(m_tree);
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), m_path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

int RegistryStore::RootOf(const RegNode& node) const
{
    const RegNode* top = &node;
    while (top->parent != nullptr)
        top = top->parent;
    for (int i = 0; i < kRootCount; ++i)
        if (m_tree.roots[i].get() == top)
            return i;
    return -1;
}

bool RegistryStore::ReadOnlyRoot(const RegNode& node) const
{
    const int root = RootOf(node);
    return root >= 0 && (m_failure[root] & AFX_REG_FAIL_READONLY) != 0;
}

bool RegistryStore::Writable(const RegNode& node) const
{
    return m_writable && !ReadOnlyRoot(node);
}

void RegistryStore::SetFailure(HKEY hRoot, DWORD failure)
{
    const int root = RootIndex(hRoot);
    if (root >= 0)
        m_failure[root] = failure;
}

LONG RegistryStore::Commit(const RegNode& changed, const std::function<void()>& undo)
{
    if (changed.InVolatileTree())
        return ERROR_SUCCESS;
    const int root = RootOf(changed);
    const bool failing = root >= 0 && (m_failure[root] & AFX_REG_FAIL_WRITE) != 0;
    if (!failing && Save())
        return ERROR_SUCCESS;
    if (undo)
        undo();
    return ERROR_WRITE_FAULT;
}

LONG RegistryStore::Resolve(HKEY hKey, std::shared_ptr<RegNode>& node, REGSAM& access)
{
    EnsureLoaded();
    const int root = RootIndex(hKey);
    if (root >= 0) {
        node = m_tree.roots[root];
        access = KEY_ALL_ACCESS;
        return ERROR_SUCCESS;
    }
    auto it = m_handles.find(reinterpret_cast<uintptr_t>(hKey));
    if (it == m_handles.end())
        return ERROR_INVALID_HANDLE;
    if (it->second.node->deleted)
        return ERROR_KEY_DELETED;
    node = it->second.node;
    access = it->second.access;
    return ERROR_SUCCESS;
}

HKEY RegistryStore::OpenHandle(const std::shared_ptr<RegNode>& node, REGSAM access)
{
    const uintptr_t id = m_nextHandle;
    m_nextHandle += 4;
    m_handles[id] = Handle{node, access};
    return reinterpret_cast<HKEY>(id);
}

LONG RegistryStore::CloseHandle(HKEY hKey)
{
    if (RootIndex(hKey) >= 0)
        return ERROR_SUCCESS;
    return m_handles.erase(reinterpret_cast<uintptr_t>(hKey)) == 1 ? ERROR_SUCCESS
                                                                   : ERROR_INVALID_HANDLE;
}

void RegistryStore::Reset()
{
    for (auto& root : m_tree.roots)
        root->MarkDeleted(true);
    m_tree = RegTree();
    m_loaded = false;
    m_writable = true;
}

void RegistryStore::SetTestFile(const char* path)
{
    m_haveTestPath = path != nullptr;
    m_testPath = path != nullptr ? path : "";
    Reset();
}

}  // namespace pc_reg
