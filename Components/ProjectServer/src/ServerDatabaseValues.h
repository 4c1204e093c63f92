// Inside the server's database code: parameters and values as the data-access layer passes
// them, shared by the files of CServerDatabase.
#pragma once

#include <ProjectServer/ServerDatabase.h>

#include <DataAccess/DataAccess.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace projectserver {

struct CServerDatabase::Rows {
    std::vector<std::vector<CDbValue>> values;
    long long changed = 0;
};

namespace dbvalues {

inline CDbParam Text(const std::string& utf8)
{
    return CDbParam::Utf8(utf8);
}

inline CDbParam Number(long long n)
{
    return CDbParam(n);
}

// A value as a number (the ODBC back end hands every value over as text).
inline long long AsNumber(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
        return *p;
    if (auto d = std::get_if<double>(&v))
        return static_cast<long long>(*d);
    if (auto s = std::get_if<std::string>(&v))
        return std::atoll(s->c_str());
    return 0;
}

inline std::string AsText(CDbValue&& v)
{
    if (auto s = std::get_if<std::string>(&v))
        return std::move(*s);
    if (auto p = std::get_if<long long>(&v))
        return std::to_string(*p);
    return std::string();
}

inline std::string AsText(const CDbValue& v)
{
    return AsText(CDbValue(v));
}

}  // namespace dbvalues

}  // namespace projectserver
