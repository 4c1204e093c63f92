// Helpers of the archive tests: run a store through a memory file and hand back the bytes,
// or load from given bytes; plus little-endian builders for expected byte strings.
#pragma once

#include <ClassLib/Afx.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline Bytes StoreToBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    Bytes bytes(static_cast<size_t>(length));
    file.SeekToBegin();
    if (length > 0)
        file.Read(bytes.data(), static_cast<UINT>(length));
    return bytes;
}

inline void LoadFromBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    load(ar);
    ar.Close();
}

inline void Append(Bytes& out, std::initializer_list<unsigned char> bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

inline void AppendInt32(Bytes& out, int value)
{
    const unsigned int u = static_cast<unsigned int>(value);
    Append(out, {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                 static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)});
}

inline void AppendText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

inline void AppendDouble(Bytes& out, double value)
{
    unsigned char raw[8];
    std::memcpy(raw, &value, 8);
    out.insert(out.end(), raw, raw + 8);
}
