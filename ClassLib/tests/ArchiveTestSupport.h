// Helpers of the archive tests: store into memory, load from bytes, build expected bytes.
#pragma once

#include <ClassLib/Core/Archive.h>
#include <ClassLib/Core/File.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    Bytes out(file.GetLength());
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

inline void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? NULL : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
    ar.Close();
}

// The cause of the archive exception that loading bytes raises; -1 when it loads.
inline int LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try {
        LoadBytes(bytes, read);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return 1000;
    }
    return -1;
}

class ByteBuilder
{
public:
    ByteBuilder& b(std::initializer_list<int> values)
    {
        for (int v : values)
            m_bytes.push_back(static_cast<BYTE>(v));
        return *this;
    }
    ByteBuilder& w(WORD value) { return b({value & 0xFF, value >> 8}); }
    ByteBuilder& dw(DWORD value)
    {
        return b({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>(value >> 24)});
    }
    ByteBuilder& text(const char* s)
    {
        m_bytes.insert(m_bytes.end(), s, s + std::strlen(s));
        return *this;
    }
    ByteBuilder& fill(size_t n, BYTE value)
    {
        m_bytes.insert(m_bytes.end(), n, value);
        return *this;
    }
    // A new-class tag with the schema and the name.
    ByteBuilder& newClass(WORD schema, const char* name)
    {
        return w(0xFFFF).w(schema).w(static_cast<WORD>(std::strlen(name))).text(name);
    }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};
