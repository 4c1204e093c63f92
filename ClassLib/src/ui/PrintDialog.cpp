// The print dialog, CCommonDialog and CPrintInfo.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Printing/Printing.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "Backend.h"
#include "PrinterTargets.h"
#include "Scripts.h"
#include "WndInternal.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<LPCTSTR>(nullptr), pParentWnd) {}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bPrintSetupOnly(bPrintSetupOnly)
{
    m_pd = {};
    m_pd.lStructSize = sizeof(PRINTDLG);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal()
{
    CWnd* pOwner = AfxGetModalOwner(m_pParentWnd);
    m_pd.hwndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    AfxPrintDialogAnswer answer;
    if (auto script = pc::NextPrintDialogScript()) {
        answer = (*script)(this);
    } else if (!pc::TheBackend().CanAskPerson()) {
        AfxReportTestFailure("a print dialog ran without a script on a headless platform; it was cancelled");
        answer.nResult = IDCANCEL;
    } else {
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dlg(printer.get(), pOwner ? AfxGetWidget(pOwner->GetSafeHwnd()) : nullptr);
        QAbstractPrintDialog::PrintDialogOptions opts = QAbstractPrintDialog::PrintShowPageSize;
        if (!(m_pd.Flags & PD_NOSELECTION))
            opts |= QAbstractPrintDialog::PrintSelection;
        if (!(m_pd.Flags & PD_NOPAGENUMS))
            opts |= QAbstractPrintDialog::PrintPageRange;
        if (!(m_pd.Flags & (PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE)))
            opts |= QAbstractPrintDialog::PrintToFile;
        if (m_pd.Flags & PD_COLLATE)
            opts |= QAbstractPrintDialog::PrintCollateCopies;
        dlg.setOptions(opts);
        dlg.setMinMax(m_pd.nMinPage, m_pd.nMaxPage);
        if (dlg.exec() != QDialog::Accepted)
            return IDCANCEL;
        m_printer = printer;
        m_strOutputFile = AfxCString(printer->outputFileName());
        m_strDevice = AfxCString(printer->printerName());
        m_pd.nCopies = static_cast<WORD>(printer->copyCount());
        if (printer->printRange() == QPrinter::PageRange) {
            m_pd.Flags |= PD_PAGENUMS;
            m_pd.nFromPage = static_cast<WORD>(printer->fromPage());
            m_pd.nToPage = static_cast<WORD>(printer->toPage());
        }
        return IDOK;
    }
    if (answer.nResult != IDOK)
        return answer.nResult;
    if (answer.strOutputFile.IsEmpty()) {
        // An answer that names no file to print to cannot print: taken as Cancel.
        TRACE("Warning: a scripted print dialog answered OK without an output file.\n");
        return IDCANCEL;
    }
    m_printer.reset();
    m_strOutputFile = answer.strOutputFile;
    m_strDevice = "PDF";
    m_pd.nCopies = static_cast<WORD>(answer.nCopies > 0 ? answer.nCopies : 1);
    if (answer.nFromPage > 0) {
        m_pd.Flags = (m_pd.Flags & ~PD_SELECTION) | PD_PAGENUMS;
        m_pd.nFromPage = static_cast<WORD>(answer.nFromPage);
        m_pd.nToPage = static_cast<WORD>(answer.nToPage >= answer.nFromPage ? answer.nToPage : answer.nFromPage);
    }
    if (m_pd.Flags & PD_RETURNDC)
        m_pd.hDC = CreatePrinterDC();
    return IDOK;
}

BOOL CPrintDialog::GetDefaults()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::tempPath();
    m_strOutputFile = AfxCString(QDir(docs).filePath(QStringLiteral("print.pdf")));
    m_strDevice = "PDF";
    if (m_pd.Flags & PD_RETURNDC)
        m_pd.hDC = CreatePrinterDC();
    return TRUE;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_printer && m_printer->outputFileName().isEmpty())
        return pc::MakePrinterDC(std::make_shared<pc::PdfPrinterTarget>(m_printer));
    if (m_strOutputFile.IsEmpty())
        return nullptr;
    if (m_printer)
        return pc::MakePrinterDC(std::make_shared<pc::PdfPrinterTarget>(m_printer));
    return AfxCreatePdfPrinterDC(m_strOutputFile);
}

HDC CPrintDialog::GetPrinterDC() const
{
    if (m_pd.hDC)
        return m_pd.hDC;
    return const_cast<CPrintDialog*>(this)->CreatePrinterDC();
}

int CPrintDialog::GetCopies() const
{
    return m_pd.nCopies;
}

CString CPrintDialog::GetDeviceName() const
{
    return m_strDevice;
}

CString CPrintDialog::GetDriverName() const
{
    return m_strDevice.IsEmpty() ? CString() : CString("winspool");
}

CString CPrintDialog::GetPortName() const
{
    return m_strOutputFile;
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : -1;
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : -1;
}

// ---- CPrintInfo ------------------------------------------------------------------------

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE),
      m_dwFlags(0),
      m_nOffsetPage(0),
      m_bDirect(FALSE),
      m_bPreview(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_nNumPreviewPages(0),
      m_lpUserData(nullptr),
      m_rectDraw(0, 0, 0, 0)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD && m_pPD->m_pd.hDC)
        ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage > 0xFFFF ? 0xFFFF : nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}
