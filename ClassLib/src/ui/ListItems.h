// Private: the items of a list box or of a combo box's list, kept here rather than in the
// Qt widget so that sorting, searching and item data behave as the platform's lists do.
#pragma once

#include <ClassLib/Core/String.h>

#include <vector>

namespace pc {

struct ListItem
{
    CString text;
    ULONG_PTR data = 0;
    bool selected = false;  // list boxes with several selections
    int height = 0;         // owner-drawn variable lists; 0 = the list's item height
};

class ListItems
{
public:
    // The case-insensitive order sorted lists keep.
    static int Compare(const CString& a, const CString& b);

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    const ListItem& At(int i) const { return m_items[size_t(i)]; }
    ListItem& At(int i) { return m_items[size_t(i)]; }

    // Sorted: after the last item that does not sort after it; else at the end.
    int Add(const CString& text, bool sorted);
    // At index (-1: the end); -1 when the index is past the end.
    int Insert(int index, const CString& text);
    // The number of items left; -1 for a bad index.
    int Delete(int index);
    void Clear() { m_items.clear(); }

    // The first item after nStartAfter (-1: from the start), wrapping round, whose text
    // begins with (FindPrefix) or equals (FindExact) the text, ignoring case; -1 if none.
    int FindPrefix(int nStartAfter, LPCTSTR text) const;
    int FindExact(int nStartAfter, LPCTSTR text) const;

private:
    int Find(int nStartAfter, LPCTSTR text, bool exact) const;
    std::vector<ListItem> m_items;
};

}  // namespace pc
