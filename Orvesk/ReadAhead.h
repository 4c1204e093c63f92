// Reading ahead along a walk over objects that lie scattered in memory, each found only through
// the one before it (tasks, their links, list nodes). The walk notes each address as it is
// about to read it; the addresses the last walk of the same kind read, in order, are asked for
// a little ahead of their turn, so that the reads overlap instead of waiting one by one. Asking
// ahead reads nothing: an address that went stale only warms a line no one reads.
#pragma once

#include <cstddef>
#include <vector>

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
    void Touch(const void* p)
    {
        m_next.push_back(p);
        const size_t nAhead = m_next.size() + kAhead;
        if (nAhead < m_trail.size())
            __builtin_prefetch(m_trail[nAhead]);
    }

private:
    static const size_t kAhead = 48;

    std::vector<const void*>& m_trail;
    std::vector<const void*>& m_next;
};
