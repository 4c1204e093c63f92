// Private: the devices behind printer contexts.
#pragma once

#include <ClassLib/Wnd/QtInterop.h>

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QPrinter;

namespace pc {

class PrinterTarget : public AfxDCTarget
{
public:
    QPainter* Painter(const void* pOwner) override;
    void EndPainting() override;
    int DeviceCaps(int nIndex) const override;
    BOOL IsPrinter() const override { return TRUE; }
    int StartDoc(const DOCINFO* pDocInfo) override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;
    int FinishedPages() const { return m_finished; }

protected:
    virtual bool BeginDocument(const CString& name) = 0;
    virtual bool NextPage() = 0;
    virtual void PageFinished() {}
    virtual bool EndDocument(bool abort) = 0;

    int m_dpi = 300;
    QRect m_paper;  // device pixels
    QRect m_page;   // the printable area within the paper
    bool m_inDoc = false;
    bool m_done = false;
    bool m_pageOpen = false;
    int m_started = 0;
    int m_finished = 0;
    int m_jobs = 0;
};

class PdfPrinterTarget : public PrinterTarget
{
public:
    PdfPrinterTarget(const QString& file, int dpi, bool landscape, int paperW, int paperH);
    explicit PdfPrinterTarget(std::shared_ptr<QPrinter> printer);
    ~PdfPrinterTarget() override;
    QImage* Image() override { return nullptr; }
    QPaintDevice* Device() override;

protected:
    bool BeginDocument(const CString& name) override;
    bool NextPage() override;
    bool EndDocument(bool abort) override;

private:
    void Measure();
    std::shared_ptr<QPrinter> m_printer;
    QString m_file;
};

class ImagePrinterTarget : public PrinterTarget
{
public:
    ImagePrinterTarget(int width, int height, int dpi);
    ~ImagePrinterTarget() override;
    QImage* Image() override;
    QPaintDevice* Device() override;
    const std::vector<QImage>& Pages() const { return m_pages; }

protected:
    bool BeginDocument(const CString& name) override;
    bool NextPage() override;
    void PageFinished() override;
    bool EndDocument(bool abort) override;

private:
    bool StartImage();
    QImage m_current;
    std::vector<QImage> m_pages;
};

HDC MakePrinterDC(std::shared_ptr<PrinterTarget> target);
std::shared_ptr<PrinterTarget> PrinterOf(HDC h);

}  // namespace pc
