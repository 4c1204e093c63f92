// Helpers of the printing tests: a grid inside a titled top-level window, and a printer
// context on a PDF file.
#pragma once

#include "GridCtrl.h"

#include <ClassLib/Wnd/QtInterop.h>

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>
#include <string>

// A grid of nRows x nCols (one fixed row and column) in a window titled "Project Plan";
// column 1 on holds "r<row>c<col>".
class CPrintedGrid
{
public:
    CPrintedGrid(int nRows, int nCols, CWnd* pParent = nullptr)
        : grid(nRows, nCols, 1, 1)
    {
        if (!pParent)
        {
            frame.CreateEx(0, AFX_WND_CLASS, _T("Project Plan"), WS_POPUP | WS_VISIBLE, 0, 0, 600,
                           400, nullptr, nullptr);
            pParent = &frame;
        }
        grid.Create(CRect(0, 0, 580, 380), pParent, 100);
        for (int row = 0; row < nRows; row++)
        {
            grid.SetRowHeight(row, 20);
            for (int col = 0; col < nCols; col++)
            {
                CString str;
                if (row == 0)
                    str.Format(_T("Head%d"), col);
                else if (col == 0)
                    str.Format(_T("%d"), row);
                else
                    str.Format(_T("r%dc%d"), row, col);
                grid.SetItemText(row, col, str);
            }
        }
        for (int col = 0; col < nCols; col++)
            grid.SetColumnWidth(col, 100);
    }

    CWnd frame;
    CGridCtrl grid;
};

// A printer on a PDF file: A4 at 300 dots per inch without margins.
class CPdfPrinterTarget : public AfxDCTarget
{
public:
    explicit CPdfPrinterTarget(const std::string& path)
        : m_writer(QString::fromStdString(path))
    {
        m_writer.setResolution(300);
        m_writer.setPageSize(QPageSize(QPageSize::A4));
        m_writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    ~CPdfPrinterTarget() override { EndPainting(); }

    QImage* Image() override { return nullptr; }
    QPaintDevice* Device() override { return &m_writer; }
    BOOL IsPrinter() const override { return TRUE; }
    int DeviceCaps(int nIndex) const override
    {
        switch (nIndex)
        {
        case HORZRES: return m_writer.width();
        case VERTRES: return m_writer.height();
        case LOGPIXELSX:
        case LOGPIXELSY: return m_writer.resolution();
        case TECHNOLOGY: return DT_RASPRINTER;
        default: return AfxDCTarget::DeviceCaps(nIndex);
        }
    }
    int StartDoc(const DOCINFO*) override { nDocs++; return 1; }
    int StartPage() override
    {
        // The first page is the one the painter opens on.
        if (nPages++ > 0 && (!m_pPainter || !m_writer.newPage()))
            return SP_ERROR;
        return 1;
    }
    int EndPage() override { return 1; }
    int EndDoc() override { nEnded++; EndPainting(); return 1; }
    int AbortDoc() override { nAborted++; EndPainting(); return 1; }

    int nDocs = 0;
    int nPages = 0;
    int nEnded = 0;
    int nAborted = 0;

private:
    QPdfWriter m_writer;
};

// The page count pdfinfo reads from a PDF file; -1 when it cannot be read.
inline int PdfPageCount(const std::string& path)
{
    std::string cmd = "pdfinfo '" + path + "' 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return -1;
    char line[512];
    int nPages = -1;
    while (fgets(line, sizeof(line), p))
        if (sscanf(line, "Pages: %d", &nPages) == 1)
            break;
    pclose(p);
    return nPages;
}

inline std::string TestOutputPath(const char* name)
{
    const char* dir = getenv("PC_TEST_OUTPUT");
    std::string folder = dir && *dir ? dir : "/tmp";
    std::string mk = "mkdir -p '" + folder + "'";
    if (system(mk.c_str()) != 0)
        folder = "/tmp";
    return folder + "/" + name;
}
