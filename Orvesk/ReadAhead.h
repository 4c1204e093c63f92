// Reading ahead along a walk over objects that lie scattered in memory, each found only through
// the one before it (tasks, their links, list nodes). The walk notes each address as it is
// about to read it; the addresses the last walk of the same kind read, in order, are asked for
// a little ahead of their turn, so that the reads overlap instead of waiting one by one. Asking
// ahead reads nothing: an address that went stale only warms a line no one reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// In a walk down a table of objects (rows' tasks), called at place i: asks for the given
// members of the object nAhead places on, so that the walk finds them arrived (members of the
// object's class or of a base of it).
template <size_t nAhead = 4, class T, class... M, class... C>
inline void ReadAheadOf(const std::vector<T*>& items, size_t i, M C::*... members)
{
    if (i + nAhead < items.size())
        if (const T* p = items[i + nAhead])
            (__builtin_prefetch(&(p->*members)), ...);
}

class CReadAhead
{
public:
    // trail: what the last walk read; it holds what this one read once it ends. spare: room
    // for this walk's trail, kept by the caller from walk to walk (a trail of a large
    // project is megabytes: fresh memory each walk would be mapped and cleared each time).
    CReadAhead(std::vector<const void*>& trail, std::vector<const void*>& spare) : m_trail(trail), m_next(spare)
    {
        m_next.clear();
        m_next.reserve(trail.size());
    }
    ~CReadAhead() { m_trail.swap(m_next); }
    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;

    // The walk is about to read p.
    void Touch(const void* p) { Note(Line(p), 0); }
    // The walk is about to read the object: one entry for all its lines.
    template <class T> void TouchObject(const T& object) { TouchRange(&object, &object + 1); }

private:
    void TouchRange(const void* pBegin, const void* pEnd)
    {
        const uintptr_t nFirst = Line(pBegin);
        const uintptr_t nLast = Line(static_cast<const char*>(pEnd) - 1);
        const uintptr_t nMore = nLast > nFirst ? (nLast - nFirst) / kLine : 0;
        Note(nFirst, nMore < kLine - 1 ? nMore : kLine - 1);
    }

    static const size_t kAhead = 48;
    static const uintptr_t kLine = 64;

    static uintptr_t Line(const void* p) { return reinterpret_cast<uintptr_t>(p) & ~(kLine - 1); }
    // An entry is the address of a cache line with, in its low bits, the lines after it.
    void Note(uintptr_t nLine, uintptr_t nMore)
    {
        m_next.push_back(reinterpret_cast<const void*>(nLine | nMore));
        const size_t nAhead = m_next.size() + kAhead;
        if (nAhead < m_trail.size()) {
            const uintptr_t nEntry = reinterpret_cast<uintptr_t>(m_trail[nAhead]);
            const char* pLine = reinterpret_cast<const char*>(nEntry & ~(kLine - 1));
            for (uintptr_t i = 0; i <= (nEntry & (kLine - 1)); i++)
                __builtin_prefetch(pLine + i * kLine);
        }
    }

    std::vector<const void*>& m_trail;
    std::vector<const void*>& m_next;
};
