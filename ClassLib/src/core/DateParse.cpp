#include "DateParse.h"

#include <cstring>

namespace pc_date {

namespace {

// Code page 936 bytes of the date unit characters.
const char kYear[] = "\xC4\xEA";   // 年
const char kMonth[] = "\xD4\xC2";  // 月
const char kDay[] = "\xC8\xD5";    // 日

class Cursor
{
public:
    explicit Cursor(const char* s)
        : p_(s)
    {
    }

    bool AtEnd() const { return *p_ == '\0'; }
    char Peek() const { return *p_; }

    bool Accept(char c)
    {
        if (*p_ != c)
            return false;
        ++p_;
        return true;
    }

    bool Accept(const char* bytes)
    {
        const size_t n = std::strlen(bytes);
        if (std::strncmp(p_, bytes, n) != 0)
            return false;
        p_ += n;
        return true;
    }

    // Reads 1..maxDigits decimal digits.
    bool Number(int maxDigits, int& value)
    {
        int digits = 0;
        value = 0;
        while (*p_ >= '0' && *p_ <= '9') {
            if (++digits > maxDigits)
                return false;
            value = value * 10 + (*p_ - '0');
            ++p_;
        }
        return digits > 0;
    }

    int SkipBlanks()
    {
        int n = 0;
        while (*p_ == ' ' || *p_ == '\t') {
            ++p_;
            ++n;
        }
        return n;
    }

private:
    const char* p_;
};

// H:M or H:M:S, with the hour already read.
bool ReadTimeRest(Cursor& c, int hour, ParsedDateTime& out)
{
    out.hour = hour;
    if (!c.Accept(':') || !c.Number(2, out.minute))
        return false;
    out.second = 0;
    if (c.Accept(':') && !c.Number(2, out.second))
        return false;
    out.hasTime = true;
    return true;
}

bool ReadTime(Cursor& c, ParsedDateTime& out)
{
    int hour = 0;
    return c.Number(2, hour) && ReadTimeRest(c, hour, out);
}

}  // namespace

bool ParseDateTimeText(const char* text, ParsedDateTime& out)
{
    out = ParsedDateTime();
    if (text == nullptr)
        return false;
    Cursor c(text);
    c.SkipBlanks();

    int first = 0;
    if (!c.Number(4, first))
        return false;

    if (c.Peek() == ':') {  // time only
        if (first > 99 || !ReadTimeRest(c, first, out))
            return false;
    } else {
        out.year = first;
        if (c.Accept(kYear)) {
            c.SkipBlanks();
            if (!c.Number(2, out.month) || !c.Accept(kMonth))
                return false;
            c.SkipBlanks();
            if (!c.Number(2, out.day) || !c.Accept(kDay))
                return false;
            out.hasDate = true;
            c.SkipBlanks();
            if (!c.AtEnd() && !ReadTime(c, out))
                return false;
        } else {
            const char sep = c.Peek();
            if (sep != '-' && sep != '/')
                return false;
            c.Accept(sep);
            if (!c.Number(2, out.month) || !c.Accept(sep) || !c.Number(2, out.day))
                return false;
            out.hasDate = true;
            if (sep == '-' && c.Accept('T')) {
                if (!ReadTime(c, out))
                    return false;
            } else if (c.SkipBlanks() > 0 && !c.AtEnd()) {
                if (!ReadTime(c, out))
                    return false;
            }
        }
    }
    c.SkipBlanks();
    return c.AtEnd();
}

}  // namespace pc_date
