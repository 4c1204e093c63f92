// Printer device contexts: a PDF printer and an image printer, as device targets of the
// window layer's device contexts.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Printing/PrinterDC.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "PrinterTargets.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <map>
#include <mutex>

namespace pc {

namespace {

std::map<HDC, std::weak_ptr<PrinterTarget>>& Printers()
{
    static auto* m = new std::map<HDC, std::weak_ptr<PrinterTarget>>;
    return *m;
}

std::mutex& PrintersMutex()
{
    static std::mutex m;
    return m;
}

}  // namespace

QPainter* PrinterTarget::Painter(const void*)
{
    // One painter for the whole document: ending it would end the document.
    if (!m_inDoc)
        return nullptr;
    return m_pPainter;
}

void PrinterTarget::EndPainting() {}

int PrinterTarget::DeviceCaps(int nIndex) const
{
    switch (nIndex) {
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZRES: return m_page.width();
    case VERTRES: return m_page.height();
    case PHYSICALWIDTH: return m_paper.width();
    case PHYSICALHEIGHT: return m_paper.height();
    case PHYSICALOFFSETX: return m_page.x();
    case PHYSICALOFFSETY: return m_page.y();
    case LOGPIXELSX:
    case LOGPIXELSY: return m_dpi;
    case HORZSIZE: return m_page.width() * 254 / (m_dpi * 10);
    case VERTSIZE: return m_page.height() * 254 / (m_dpi * 10);
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;  // more than 256 colours
    case ASPECTX:
    case ASPECTY: return m_dpi;
    case ASPECTXY: return m_dpi * 1414 / 1000;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_STRETCHDIB | RC_BITMAP64;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    default: return AfxDCTarget::DeviceCaps(nIndex);
    }
}

int PrinterTarget::StartDoc(const DOCINFO* pDocInfo)
{
    if (m_inDoc || m_done)
        return SP_ERROR;
    if (!BeginDocument(pDocInfo && pDocInfo->lpszDocName ? pDocInfo->lpszDocName : ""))
        return SP_ERROR;
    m_inDoc = true;
    m_pageOpen = false;
    return ++m_jobs;
}

int PrinterTarget::StartPage()
{
    if (!m_inDoc || m_pageOpen)
        return SP_ERROR;
    if (m_started > 0 && !NextPage())
        return SP_ERROR;
    ++m_started;
    m_pageOpen = true;
    return 1;
}

int PrinterTarget::EndPage()
{
    if (!m_inDoc || !m_pageOpen)
        return SP_ERROR;
    m_pageOpen = false;
    ++m_finished;
    PageFinished();
    return 1;
}

int PrinterTarget::EndDoc()
{
    if (!m_inDoc)
        return SP_ERROR;
    if (m_pageOpen)
        EndPage();
    m_inDoc = false;
    m_done = true;
    return EndDocument(false) ? 1 : SP_ERROR;
}

int PrinterTarget::AbortDoc()
{
    if (!m_inDoc)
        return SP_ERROR;
    m_inDoc = false;
    m_done = true;
    EndDocument(true);
    return 1;
}

// ---- PDF --------------------------------------------------------------------------------------

PdfPrinterTarget::PdfPrinterTarget(const QString& file, int dpi, bool landscape, int paperW, int paperH)
    : m_file(file)
{
    m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(file);
    m_printer->setResolution(dpi);
    m_printer->setPageSize(QPageSize(QSizeF(paperW / 10.0, paperH / 10.0), QPageSize::Millimeter));
    m_printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_printer->setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
    Measure();
}

PdfPrinterTarget::PdfPrinterTarget(std::shared_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    m_file = m_printer->outputFileName();
    Measure();
}

PdfPrinterTarget::~PdfPrinterTarget()
{
    if (m_inDoc)
        EndDocument(true);
}

void PdfPrinterTarget::Measure()
{
    m_dpi = m_printer->resolution();
    QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    QRect page = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    m_paper = QRect(0, 0, paper.width(), paper.height());
    m_page = QRect(page.x() - paper.x(), page.y() - paper.y(), page.width(), page.height());
}

QPaintDevice* PdfPrinterTarget::Device()
{
    return m_printer.get();
}

bool PdfPrinterTarget::BeginDocument(const CString& name)
{
    m_printer->setDocName(AfxQString(name));
    m_pPainter = new QPainter;
    if (!m_pPainter->begin(m_printer.get())) {
        delete m_pPainter;
        m_pPainter = nullptr;
        return false;
    }
    m_pPainterOwner = this;
    return true;
}

bool PdfPrinterTarget::NextPage()
{
    return m_printer->newPage();
}

bool PdfPrinterTarget::EndDocument(bool abort)
{
    bool ok = true;
    if (m_pPainter) {
        ok = m_pPainter->end();
        delete m_pPainter;
        m_pPainter = nullptr;
        m_pPainterOwner = nullptr;
    }
    if (abort && !m_file.isEmpty())
        QFile::remove(m_file);  // an aborted document leaves nothing half-written
    return ok;
}

// ---- images ------------------------------------------------------------------------------------

ImagePrinterTarget::ImagePrinterTarget(int width, int height, int dpi)
{
    m_dpi = dpi > 0 ? dpi : 300;
    m_paper = QRect(0, 0, width, height);
    m_page = m_paper;
}

ImagePrinterTarget::~ImagePrinterTarget()
{
    EndDocument(true);
}

QImage* ImagePrinterTarget::Image()
{
    return m_inDoc ? &m_current : nullptr;
}

QPaintDevice* ImagePrinterTarget::Device()
{
    return &m_current;
}

bool ImagePrinterTarget::BeginDocument(const CString&)
{
    m_pages.clear();
    return StartImage();
}

bool ImagePrinterTarget::StartImage()
{
    m_current = QImage(m_paper.size(), QImage::Format_RGB32);
    if (m_current.isNull())
        return false;
    m_current.setDotsPerMeterX(static_cast<int>(m_dpi / 0.0254));
    m_current.setDotsPerMeterY(static_cast<int>(m_dpi / 0.0254));
    m_current.fill(Qt::white);
    m_pPainter = new QPainter(&m_current);
    m_pPainterOwner = this;
    return true;
}

bool ImagePrinterTarget::NextPage()
{
    return StartImage();
}

void ImagePrinterTarget::PageFinished()
{
    if (m_pPainter) {
        m_pPainter->end();
        delete m_pPainter;
        m_pPainter = nullptr;
    }
    m_pages.push_back(m_current.copy());
}

bool ImagePrinterTarget::EndDocument(bool abort)
{
    if (m_pPainter) {
        m_pPainter->end();
        delete m_pPainter;
        m_pPainter = nullptr;
    }
    if (abort)
        m_pages.clear();
    return true;
}

HDC MakePrinterDC(std::shared_ptr<PrinterTarget> target)
{
    HDC h = AfxCreateDCOnTarget(target, TRUE);
    if (h) {
        std::lock_guard<std::mutex> lock(PrintersMutex());
        Printers()[h] = target;
    }
    return h;
}

std::shared_ptr<PrinterTarget> PrinterOf(HDC h)
{
    std::lock_guard<std::mutex> lock(PrintersMutex());
    auto it = Printers().find(h);
    return it == Printers().end() ? nullptr : it->second.lock();
}

}  // namespace pc

HDC AfxCreatePdfPrinterDC(LPCTSTR lpszOutputFile, int nDpi, BOOL bLandscape, int nPaperWidth, int nPaperHeight)
{
    if (!lpszOutputFile || !*lpszOutputFile || nDpi <= 0 || nPaperWidth <= 0 || nPaperHeight <= 0)
        return nullptr;
    AfxEnsureApplication();
    QString file = AfxQString(lpszOutputFile);
    {
        // The file must be writable before printing starts.
        QFile probe(file);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            return nullptr;
        probe.close();
        if (!existed)
            QFile::remove(file);
    }
    return pc::MakePrinterDC(std::make_shared<pc::PdfPrinterTarget>(file, nDpi, bLandscape != FALSE, nPaperWidth, nPaperHeight));
}

HDC AfxCreateImagePrinterDC(int nWidth, int nHeight, int nDpi)
{
    if (nWidth <= 0 || nHeight <= 0 || nWidth > 20000 || nHeight > 20000 || nDpi <= 0)
        return nullptr;
    AfxEnsureApplication();
    return pc::MakePrinterDC(std::make_shared<pc::ImagePrinterTarget>(nWidth, nHeight, nDpi));
}

int AfxGetPrintedPageCount(HDC hDC)
{
    auto t = pc::PrinterOf(hDC);
    return t ? t->FinishedPages() : -1;
}

HBITMAP AfxGetPrintedPage(HDC hDC, int nPage)
{
    auto t = std::dynamic_pointer_cast<pc::ImagePrinterTarget>(pc::PrinterOf(hDC));
    if (!t || nPage < 0 || nPage >= static_cast<int>(t->Pages().size()))
        return nullptr;
    return AfxBitmapFromImage(t->Pages()[size_t(nPage)]);
}
