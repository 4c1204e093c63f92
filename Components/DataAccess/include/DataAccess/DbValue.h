// Values and result codes the layer and its back ends share (no class library types here,
// so that a back end can include its driver's headers).
#pragma once

#include <cstdint>
#include <string>
#include <variant>

// Result codes beyond the class library's.
#define DB_S_ENDOFROWSET ((int32_t)0x00040EC6L)
#define DB_E_ERRORSINCOMMAND ((int32_t)0x80040E14L)
#define DB_E_NOTABLE ((int32_t)0x80040E37L)
#define XACT_E_NOTRANSACTION ((int32_t)0x8004D00EL)
#define XACT_E_COMMITFAILED ((int32_t)0x8004D001L)
#define E_NOINTERFACE_DB ((int32_t)0x80004002L)

// Isolation level of a local transaction.
enum : long { ISOLATIONLEVEL_READCOMMITTED = 0x1000 };

// Binary content (a BLOB or bytea), byte for byte.
struct CDbBytes
{
    std::string bytes;
    bool operator==(const CDbBytes& o) const { return bytes == o.bytes; }
};

// One value: null, integer, floating point, text (UTF-8 inside) or binary content.
using CDbValue = std::variant<std::monostate, long long, double, std::string, CDbBytes>;

// The kind of a query column, as far as the back end declares it.
enum CDbColumnKind : int
{
    DBCOL_UNKNOWN = 0,  // no declared type (an expression): the values' own types apply
    DBCOL_BOOL,
    DBCOL_BYTE,
    DBCOL_SHORT,
    DBCOL_LONG,  // 4 and 8-byte integers
    DBCOL_CURRENCY,
    DBCOL_SINGLE,
    DBCOL_DOUBLE,
    DBCOL_DATE,  // dates and time stamps
    DBCOL_TEXT,
    DBCOL_BINARY,  // BLOB, bytea, binary
};

// One column of a query: its name (UTF-8) and kind.
struct CDbColumnDesc
{
    std::string name;
    int kind = DBCOL_UNKNOWN;
};
