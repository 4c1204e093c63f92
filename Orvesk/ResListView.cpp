#include "ResListView.h"

#include "LumoResourceView.h"
#include "ProjectDoc.h"
#include "ResTreeView.h"
#include "ResViewsResource.h"

IMPLEMENT_DYNCREATE(CResListView, CView)

BEGIN_MESSAGE_MAP(CResListView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
const int kMinDataRows = 30;
}

CResListView::CResListView() {}

CResListView::~CResListView() {}

CProjectDoc* CResListView::GetDocument() const
{
    CDocument* pDoc = CView::GetDocument();
    ASSERT(pDoc == NULL || pDoc->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    return static_cast<CProjectDoc*>(pDoc);
}

int CResListView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CRect rect;
    GetClientRect(&rect);
    if (!m_Grid.Create(rect, this, IDC_RES_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
        return -1;
    return 0;
}

void CResListView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_Grid.GetSafeHwnd())
        m_Grid.MoveWindow(0, 0, cx, cy, TRUE);
}

void CResListView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    m_Grid.DeleteAllItems();
    m_Grid.SetEditable(TRUE);
    m_Grid.SetTextBkColor(RGB(255, 255, 255));
    m_Grid.SetRowResize(TRUE);
    m_Grid.SetColumnResize(TRUE);
    m_Grid.SetDefRowHeight(23);
    m_Grid.SetColumnCount(6);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetFixedColumnCount(1);
    m_Grid.SetRowCount(1);
    m_Grid.SetTaskGrid(FALSE);
    // Two display switches: title tips for texts wider than their cells, no list mode.
    m_Grid.EnableTitleTips(TRUE);
    m_Grid.SetListMode(FALSE);

    static const char* const kHeadings[] = {"", "代号", "名称", "描述", "单位", "费用"};
    for (int nCol = 0; nCol < 6; ++nCol) {
        m_Grid.SetItemText(0, nCol, kHeadings[nCol]);
        m_Grid.SetItemFormat(0, nCol, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    m_Grid.SetRowHeight(0, 27);
    m_Grid.SetColumnWidth(0, 30);
    m_Grid.SetColumnWidth(3, 150);
    FillGrid();
}

void CResListView::FillGrid()
{
    CProjectDoc* pDoc = GetDocument();
    int nRows = 0;
    if (pDoc != NULL) {
        CResInfoList& members = pDoc->m_ProjectInfo.m_listMembers;
        for (POSITION pos = members.GetHeadPosition(); pos != NULL; ++nRows) {
            const tagResInfo& res = members.GetNext(pos);
            const int nRow = m_Grid.AppendRow();
            CString strCost;
            strCost.Format("%d", res.nCost);
            m_Grid.SetItemText(nRow, 1, res.strCode);
            m_Grid.SetItemText(nRow, 2, res.strName);
            m_Grid.SetItemText(nRow, 3, res.strDesc);
            m_Grid.SetItemText(nRow, 4, res.strUnit);
            m_Grid.SetItemText(nRow, 5, strCost);
        }
    }
    for (; nRows < kMinDataRows; ++nRows)
        m_Grid.AppendRow();
    if (m_Grid.GetSafeHwnd())
        m_Grid.Invalidate();
}

void CResListView::OnUpdate(CView* pSender, LPARAM /*lHint*/, CObject* /*pHint*/)
{
    if (pSender == NULL || pSender->IsKindOf(RUNTIME_CLASS(CResListView)) ||
        pSender->IsKindOf(RUNTIME_CLASS(CResTreeView)) || pSender->IsKindOf(RUNTIME_CLASS(CLumoResourceView)))
        return;
    m_Grid.SetRowCount(1);
    FillGrid();
}

void CResListView::OnDraw(CDC* /*pDC*/)
{
}
