// The drawing recorders of the test hooks.
#include "DCInternal.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Testing/DrawLog.h>
#include <ClassLib/Wnd/Wnd.h>

#include <algorithm>
#include <vector>

int g_afxRecorders = 0;

namespace {
std::vector<CDrawRecorder*>& Recorders()
{
    static std::vector<CDrawRecorder*> r;
    return r;
}
}  // namespace

void AfxRecordOp(AfxDCImpl* dc, AfxDrawOp& op)
{
    (void)dc;
    for (CDrawRecorder* r : Recorders())
        if (r->Accepts(op.hwnd, op.hdc))
            r->Add(op);
}

CDrawRecorder::CDrawRecorder(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr), m_bAll(pWnd == nullptr)
{
    Recorders().push_back(this);
    ++g_afxRecorders;
}

CDrawRecorder::CDrawRecorder(HWND hWnd) : m_hWnd(hWnd), m_bAll(hWnd == nullptr)
{
    Recorders().push_back(this);
    ++g_afxRecorders;
}

CDrawRecorder::~CDrawRecorder()
{
    auto& r = Recorders();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
    --g_afxRecorders;
}

BOOL CDrawRecorder::Accepts(HWND hWnd, HDC hDC) const
{
    if (m_hDC)
        return hDC == m_hDC;
    if (m_bAll)
        return TRUE;
    return m_hWnd && hWnd == m_hWnd;
}

std::vector<const AfxDrawOp*> CDrawRecorder::OfKind(AfxDrawKind kind) const
{
    std::vector<const AfxDrawOp*> out;
    for (const AfxDrawOp& op : m_ops)
        if (op.kind == kind)
            out.push_back(&op);
    return out;
}

const AfxDrawOp* CDrawRecorder::FindText(LPCTSTR lpszText) const
{
    for (const AfxDrawOp& op : m_ops)
        if (op.kind == AfxDrawKind::Text && lpszText && op.text == lpszText)
            return &op;
    return nullptr;
}

const AfxDrawOp* CDrawRecorder::FindTextUtf8(const char* pszUtf8) const
{
    return FindText(CStringFromUtf8(pszUtf8 ? pszUtf8 : ""));
}

CRecordingDC::CRecordingDC(int cx, int cy) : m_recorder(static_cast<HWND>(nullptr))
{
    CreateCompatibleDC(nullptr);
    m_bitmap.Attach(AfxNewBitmap(std::max(cx, 1), std::max(cy, 1), false, 0xFFFFFFFFu));
    m_pOldBitmap = SelectObject(&m_bitmap);
    m_recorder.SetDC(m_hDC);
}

CRecordingDC::~CRecordingDC()
{
    if (m_hDC && m_pOldBitmap)
        SelectObject(m_pOldBitmap);
    DeleteDC();
}
