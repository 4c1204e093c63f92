// Data for the clipboard and for drag and drop: COleDataSource offers data in formats it
// caches as global memory; COleDataObject reads data offered by the clipboard, by a drop
// or by a data source.
#pragma once

#include <ClassLib/Core/Object.h>
#include <ClassLib/Wnd/CmdTarget.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Ole/Clipboard.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

typedef DWORD DROPEFFECT;
#define DROPEFFECT_NONE 0u
#define DROPEFFECT_COPY 1u
#define DROPEFFECT_MOVE 2u
#define DROPEFFECT_LINK 4u
#define DROPEFFECT_SCROLL 0x80000000u

#define DVASPECT_CONTENT 1
#define DVASPECT_THUMBNAIL 2
#define DVASPECT_ICON 4
#define DVASPECT_DOCPRINT 8

#define TYMED_HGLOBAL 1
#define TYMED_FILE 2
#define TYMED_ISTREAM 4
#define TYMED_ISTORAGE 8
#define TYMED_GDI 16
#define TYMED_MFPICT 32
#define TYMED_ENHMF 64
#define TYMED_NULL 0

struct DVTARGETDEVICE;

typedef struct tagFORMATETC
{
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
} FORMATETC, *LPFORMATETC;

typedef struct tagSTGMEDIUM
{
    DWORD tymed;
    HGLOBAL hGlobal;
    void* pUnkForRelease;
} STGMEDIUM, *LPSTGMEDIUM;

// Frees the medium's memory (TYMED_HGLOBAL) and clears it.
AFX_EXT_API void ReleaseStgMedium(LPSTGMEDIUM pMedium);

// What a data object offers, as the class library sees it. Reference counted; the data
// sources and the clipboard and drop readers implement it.
struct AFX_EXT_CLASS IDataObject
{
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual BOOL QueryFormat(CLIPFORMAT cf) = 0;
    // A new global block (the caller owns it) with the data of format cf; NULL if absent.
    virtual HGLOBAL GetGlobalCopy(CLIPFORMAT cf) = 0;
    virtual std::vector<CLIPFORMAT> Formats() = 0;

protected:
    virtual ~IDataObject() = default;
};
typedef IDataObject* LPDATAOBJECT;

class COleDropSource;
class CFile;

class AFX_EXT_CLASS COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // The source takes hGlobal over and frees it when emptied or destroyed; a format cached
    // again replaces (and frees) the earlier block.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Only TYMED_HGLOBAL media can be cached; the medium is taken over.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();

    // Puts the data on the clipboard. The clipboard then owns this object and deletes it
    // when other data replaces it; the caller must not delete it.
    void SetClipboard();
    // Deletes the data source that owns the clipboard, if any (its data stays there).
    static void PASCAL FlushClipboard();
    static COleDataSource* PASCAL GetClipboardOwner();

    // Runs a drag of this data; the result is the effect the drop target chose.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The source's data as a data object (one reference for the caller).
    LPDATAOBJECT GetDataObject();

    BOOL HasFormat(CLIPFORMAT cf) const;
    std::vector<CLIPFORMAT> GetFormats() const;
    // A copy of the bytes of one format; empty when absent.
    std::string GetBytes(CLIPFORMAT cf) const;

private:
    class Offer;
    std::vector<std::pair<CLIPFORMAT, HGLOBAL>> m_cache;
    std::shared_ptr<bool> m_alive;
};

class AFX_EXT_CLASS COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Reads the clipboard as it is at each call.
    BOOL AttachClipboard();

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A copy the caller owns (free it with GlobalFree); NULL when the format is not there.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // A shared memory file over a copy of the data (the caller deletes it); NULL if absent.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
    std::vector<CLIPFORMAT> m_enum;
    size_t m_enumPos = 0;
};
