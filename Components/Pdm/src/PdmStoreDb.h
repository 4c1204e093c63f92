// What the store's two source files share about the data-access layer: the rows of a
// query, values read as numbers or texts (a server hands every value over as text), and
// parameters.
#pragma once

#include <DataAccess/DataAccess.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// A query's rows: kept in `values`, or, when `each` is set, handed to it one by one as the
// command reads them (a long listing is then not copied twice).
struct PdmDbRows {
    std::vector<std::vector<CDbValue>> values;
    std::function<void(const CCommand&)> each;
};

inline int64_t PdmDbInt(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
        return *p;
    if (auto d = std::get_if<double>(&v))
        return static_cast<int64_t>(*d);
    if (auto s = std::get_if<std::string>(&v))
        return std::strtoll(s->c_str(), nullptr, 10);
    return 0;
}

inline std::string PdmDbText(const CDbValue& v)
{
    if (auto s = std::get_if<std::string>(&v))
        return *s;
    if (auto b = std::get_if<CDbBytes>(&v))
        return b->bytes;
    if (auto p = std::get_if<long long>(&v))
        return std::to_string(*p);
    return std::string();
}

inline bool PdmDbIsNull(const CDbValue& v)
{
    return std::holds_alternative<std::monostate>(v);
}

inline CDbParam PdmText(const std::string& utf8)
{
    return CDbParam::Utf8(utf8);
}

inline CDbParam PdmInt(int64_t n)
{
    return CDbParam(static_cast<long long>(n));
}

inline CDbParam PdmNull()
{
    CDbParam p(0);
    p.m_value = std::monostate();
    return p;
}
