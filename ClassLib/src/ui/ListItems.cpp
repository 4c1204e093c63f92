// List items: sorted insertion and the platform's searches.
#include "ListItems.h"

#include <ClassLib/Core/Mbcs.h>

#include <cstring>

namespace pc {

int ListItems::Compare(const CString& a, const CString& b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(a)),
                    reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(b)));
}

int ListItems::Add(const CString& text, bool sorted)
{
    ListItem item;
    item.text = text;
    size_t at = m_items.size();
    if (sorted) {
        at = 0;
        while (at < m_items.size() && Compare(m_items[at].text, text) <= 0)
            ++at;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return static_cast<int>(at);
}

int ListItems::Insert(int index, const CString& text)
{
    if (index < -1 || index > Count())
        return -1;
    size_t at = index == -1 ? m_items.size() : size_t(index);
    ListItem item;
    item.text = text;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return static_cast<int>(at);
}

int ListItems::Delete(int index)
{
    if (!Valid(index))
        return -1;
    m_items.erase(m_items.begin() + index);
    return Count();
}

int ListItems::Find(int nStartAfter, LPCTSTR text, bool exact) const
{
    const int n = Count();
    if (n == 0 || !text)
        return -1;
    const size_t len = std::strlen(text);
    int start = (nStartAfter < -1 || nStartAfter >= n) ? 0 : nStartAfter + 1;
    for (int k = 0; k < n; ++k) {
        int i = (start + k) % n;
        const CString& t = m_items[size_t(i)].text;
        if (exact) {
            if (Compare(t, text) == 0)
                return i;
        } else if (size_t(t.GetLength()) >= len &&
                   _mbsnbicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(t)),
                              reinterpret_cast<const unsigned char*>(text), len) == 0) {
            return i;
        }
    }
    return -1;
}

int ListItems::FindPrefix(int nStartAfter, LPCTSTR text) const
{
    return Find(nStartAfter, text, false);
}

int ListItems::FindExact(int nStartAfter, LPCTSTR text) const
{
    return Find(nStartAfter, text, true);
}

}  // namespace pc
