// Data sources and data objects over global memory blocks.
#include <ClassLib/Ole/DataObject.h>

#include <ClassLib/Ole/SharedFile.h>

#include "ClipFormats.h"
#include "DragDrop.h"

#include <QMimeData>

#include <algorithm>
#include <atomic>
#include <memory>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

void ReleaseStgMedium(LPSTGMEDIUM pMedium)
{
    if (!pMedium)
        return;
    if (pMedium->tymed == TYMED_HGLOBAL && pMedium->hGlobal && !pMedium->pUnkForRelease)
        GlobalFree(pMedium->hGlobal);
    pMedium->tymed = TYMED_NULL;
    pMedium->hGlobal = nullptr;
    pMedium->pUnkForRelease = nullptr;
}

namespace {

// Reference counting shared by the data object implementations here.
class RefCounted : public IDataObject
{
public:
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        ULONG n = --m_refs;
        if (n == 0)
            delete this;
        return n;
    }

private:
    std::atomic<ULONG> m_refs{1};
};

// The clipboard as it is at each call.
class ClipboardData final : public RefCounted
{
public:
    BOOL QueryFormat(CLIPFORMAT cf) override
    {
        const QMimeData* m = pc::CurrentClipboardMime();
        return m && pc::HasFormat(*m, cf);
    }
    HGLOBAL GetGlobalCopy(CLIPFORMAT cf) override
    {
        const QMimeData* m = pc::CurrentClipboardMime();
        if (!m)
            return nullptr;
        auto bytes = pc::GetFormat(*m, cf);
        return bytes ? AfxGlobalFromBytes(bytes->data(), bytes->size()) : nullptr;
    }
    std::vector<CLIPFORMAT> Formats() override
    {
        const QMimeData* m = pc::CurrentClipboardMime();
        return m ? pc::FormatsOf(*m) : std::vector<CLIPFORMAT>();
    }
};

std::unique_ptr<COleDataSource>& ClipboardOwner()
{
    static auto* owner = new std::unique_ptr<COleDataSource>;
    return *owner;
}

}  // namespace

// The data object view of a source; it reads the source while the source lives.
class COleDataSource::Offer final : public RefCounted
{
public:
    Offer(COleDataSource* src) : m_src(src), m_alive(src->m_alive) {}
    BOOL QueryFormat(CLIPFORMAT cf) override { return *m_alive && m_src->HasFormat(cf); }
    HGLOBAL GetGlobalCopy(CLIPFORMAT cf) override
    {
        if (!*m_alive || !m_src->HasFormat(cf))
            return nullptr;
        std::string b = m_src->GetBytes(cf);
        return AfxGlobalFromBytes(b.data(), b.size());
    }
    std::vector<CLIPFORMAT> Formats() override
    {
        return *m_alive ? m_src->GetFormats() : std::vector<CLIPFORMAT>();
    }

private:
    COleDataSource* m_src;
    std::shared_ptr<bool> m_alive;
};

COleDataSource::COleDataSource() : m_alive(std::make_shared<bool>(true)) {}

COleDataSource::~COleDataSource()
{
    *m_alive = false;
    Empty();
    if (ClipboardOwner().get() == this)
        ClipboardOwner().release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC)
{
    if (!hGlobal || cfFormat == 0)
        return;
    for (auto& e : m_cache) {
        if (e.first == cfFormat) {
            if (e.second != hGlobal)
                GlobalFree(e.second);
            e.second = hGlobal;
            return;
        }
    }
    m_cache.emplace_back(cfFormat, hGlobal);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!lpStgMedium || lpStgMedium->tymed != TYMED_HGLOBAL)
        return;
    CacheGlobalData(cfFormat, lpStgMedium->hGlobal, lpFormatEtc);
    lpStgMedium->hGlobal = nullptr;
    lpStgMedium->tymed = TYMED_NULL;
}

void COleDataSource::Empty()
{
    for (auto& e : m_cache)
        GlobalFree(e.second);
    m_cache.clear();
}

BOOL COleDataSource::HasFormat(CLIPFORMAT cf) const
{
    return std::any_of(m_cache.begin(), m_cache.end(), [cf](const auto& e) { return e.first == cf; }) ? TRUE : FALSE;
}

std::vector<CLIPFORMAT> COleDataSource::GetFormats() const
{
    std::vector<CLIPFORMAT> out;
    for (const auto& e : m_cache)
        out.push_back(e.first);
    return out;
}

std::string COleDataSource::GetBytes(CLIPFORMAT cf) const
{
    for (const auto& e : m_cache)
        if (e.first == cf)
            return pc::BytesOfGlobal(e.second);
    return std::string();
}

void COleDataSource::SetClipboard()
{
    if (ClipboardOwner().get() != this) {
        std::unique_ptr<COleDataSource> previous = std::move(ClipboardOwner());
        ClipboardOwner().reset(this);
        previous.reset();
    }
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    for (const auto& e : m_cache) {
        std::string b = pc::BytesOfGlobal(e.second);
        HGLOBAL copy = AfxGlobalFromBytes(b.data(), b.size());
        if (copy && !SetClipboardData(e.first, copy))
            GlobalFree(copy);
    }
    CloseClipboard();
}

void COleDataSource::FlushClipboard()
{
    ClipboardOwner().reset();
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    return ClipboardOwner().get();
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    return new Offer(this);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    return pc::RunDrag(this, dwEffects, lpRectStartDrag, pDropSource);
}

// ---------------------------------------------------------------------------------------

COleDataObject::COleDataObject() = default;

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT p = m_lpDataObject;
    m_lpDataObject = nullptr;
    return p;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
    m_enum.clear();
    m_enumPos = 0;
}

BOOL COleDataObject::AttachClipboard()
{
    Attach(new ClipboardData, TRUE);
    return TRUE;
}

void COleDataObject::BeginEnumFormats()
{
    m_enum = m_lpDataObject ? m_lpDataObject->Formats() : std::vector<CLIPFORMAT>();
    m_enumPos = 0;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (!lpFormatEtc || m_enumPos >= m_enum.size())
        return FALSE;
    lpFormatEtc->cfFormat = m_enum[m_enumPos++];
    lpFormatEtc->ptd = nullptr;
    lpFormatEtc->dwAspect = DVASPECT_CONTENT;
    lpFormatEtc->lindex = -1;
    lpFormatEtc->tymed = TYMED_HGLOBAL;
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC)
{
    return m_lpDataObject && m_lpDataObject->QueryFormat(cfFormat) ? TRUE : FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC)
{
    return m_lpDataObject ? m_lpDataObject->GetGlobalCopy(cfFormat) : nullptr;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!lpStgMedium)
        return FALSE;
    HGLOBAL h = GetGlobalData(cfFormat, lpFormatEtc);
    lpStgMedium->tymed = h ? TYMED_HGLOBAL : TYMED_NULL;
    lpStgMedium->hGlobal = h;
    lpStgMedium->pUnkForRelease = nullptr;
    return h ? TRUE : FALSE;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL h = GetGlobalData(cfFormat, lpFormatEtc);
    if (!h)
        return nullptr;
    auto* file = new CSharedFile;
    file->SetHandle(h, FALSE);
    return file;
}
