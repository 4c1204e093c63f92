// Every dialog template of every module, made as it shows: no static text, button, check
// box, radio button or group title of the system's own is wider (or, wrapped, taller) than
// its control, measured with the font the control draws with. CTest runs this program a
// second time at scale 2.
#include <gtest/gtest.h>

#include <ClassLib/Resources/Resources.h>
#include <ClassLib/Testing.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <sstream>
#include <string>

#include "TrellanTestSupport.h"

namespace
{
std::string Utf8(const QString& str) { return str.toUtf8().toStdString(); }

// The text a control shows: mnemonic markers dropped ("&&" shows as "&").
QString Shown(QString str)
{
    str.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    str.remove(QLatin1Char('&'));
    str.replace(QChar(1), QLatin1Char('&'));
    return str;
}

// "" when the text fits, else what is cut.
std::string CheckLabel(const QLabel* pLabel)
{
    const QString text = pLabel->text();
    if (text.isEmpty() || pLabel->textFormat() == Qt::RichText || !pLabel->pixmap().isNull())
        return "";
    const QRect rc = pLabel->contentsRect();
    const QFontMetrics fm = pLabel->fontMetrics();
    const QString shown = pLabel->buddy() ? Shown(text) : text;
    if (pLabel->wordWrap())
    {
        const QRect need = fm.boundingRect(QRect(0, 0, rc.width(), 100000), Qt::TextWordWrap, shown);
        if (need.height() > rc.height() || need.width() > rc.width())
            return "wraps to " + std::to_string(need.width()) + "x" + std::to_string(need.height()) + " (" +
                   std::to_string(fm.horizontalAdvance(shown)) + " in one line) in " +
                   std::to_string(rc.width()) + "x" + std::to_string(rc.height());
        return "";
    }
    const QSize need = fm.size(0, shown);
    if (need.width() > rc.width() || need.height() > rc.height())
        return std::to_string(need.width()) + "x" + std::to_string(need.height()) + " in " +
               std::to_string(rc.width()) + "x" + std::to_string(rc.height());
    return "";
}

std::string CheckButton(QAbstractButton* pButton)
{
    const QString text = pButton->text();
    if (text.isEmpty())
        return "";
    QStyleOptionButton opt;
    opt.initFrom(pButton);
    opt.text = text;
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(pButton))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(pButton))
        element = QStyle::SE_RadioButtonContents;
    else if (auto* pPush = qobject_cast<QPushButton*>(pButton))
        if (pPush->isFlat())
            opt.features |= QStyleOptionButton::Flat;
    const QRect rc = pButton->style()->subElementRect(element, &opt, pButton);
    const QSize need = pButton->fontMetrics().size(Qt::TextShowMnemonic, text);
    if (need.width() > rc.width())
        return std::to_string(need.width()) + " wide in " + std::to_string(rc.width());
    return "";
}

std::string CheckGroup(const QGroupBox* pGroup)
{
    const QString text = pGroup->title();
    if (text.isEmpty())
        return "";
    const int nNeed = pGroup->fontMetrics().size(Qt::TextShowMnemonic, text).width();
    // The title sits inside the frame with room at both ends.
    if (nNeed + 2 * pGroup->fontMetrics().height() > pGroup->width())
        return std::to_string(nNeed) + " wide in " + std::to_string(pGroup->width());
    return "";
}

// Every cut text of the dialog's controls, one line each.
std::string CutTexts(CWnd* pDialog)
{
    std::ostringstream out;
    QWidget* pTop = AfxGetWidget(pDialog->GetSafeHwnd());
    if (!pTop)
        return "no widget\n";
    for (QWidget* pChild : pTop->findChildren<QWidget*>())
    {
        if (pChild->isHidden())
            continue;
        std::string cut;
        QString text;
        if (auto* pLabel = qobject_cast<QLabel*>(pChild))
        {
            cut = CheckLabel(pLabel);
            text = pLabel->text();
        }
        else if (auto* pButton = qobject_cast<QAbstractButton*>(pChild))
        {
            cut = CheckButton(pButton);
            text = pButton->text();
        }
        else if (auto* pGroup = qobject_cast<QGroupBox*>(pChild))
        {
            cut = CheckGroup(pGroup);
            text = pGroup->title();
        }
        if (!cut.empty())
            out << "  \"" << Utf8(text) << "\": " << cut << "\n";
    }
    return out.str();
}

// A window to hold the templates made as child windows (property pages).
class CHostWnd : public CWnd
{
};
} // namespace

class DialogTextFitTest : public TrellanTest
{
};

TEST_F(DialogTextFitTest, EveryDialogTemplateShowsItsTextsWhole)
{
    // The program's start registers every module; its main frame hosts the child templates.
    ASSERT_TRUE(Start({}));
    ASSERT_NE(Frame(), nullptr);
    const HINSTANCE hOld = AfxGetResourceHandle();
    std::ostringstream report;
    int nDialogs = 0;
    for (const char* pszModule : {"ClassLibDialogs", "Orvesk", "Tavrin", "Quenby", "Trellan"})
    {
        const HINSTANCE hModule = AfxFindModule(pszModule);
        ASSERT_NE(hModule, nullptr) << pszModule;
        for (UINT nID : AfxGetResourceIds(hModule, RT_DIALOG))
        {
            const auto* pTemplate =
                static_cast<const AFX_DLG_TEMPLATE*>(AfxFindResourceIn(hModule, MAKEINTRESOURCE(nID), RT_DIALOG));
            ASSERT_NE(pTemplate, nullptr);
            // Module resources (pictures, strings) are found in the template's module first.
            AfxSetResourceHandle(hModule);
            CDialog dlg;
            const BOOL bChild = (pTemplate->dwStyle & WS_CHILD) != 0;
            if (!dlg.CreateIndirect(pTemplate, bChild ? Frame() : nullptr))
            {
                report << pszModule << " dialog " << nID << ": not made\n";
                continue;
            }
            nDialogs++;
            dlg.ShowWindow(SW_SHOW);
            AfxPumpMessages();
            const std::string cut = CutTexts(&dlg);
            if (!cut.empty())
                report << pszModule << " dialog " << nID << " \"" << (pTemplate->pszCaption ? Utf8(AfxQString(pTemplate->pszCaption)) : "")
                       << "\":\n" << cut;
            dlg.DestroyWindow();
            AfxPumpMessages();
        }
    }
    AfxSetResourceHandle(hOld);
    EXPECT_GT(nDialogs, 20);
    EXPECT_EQ(report.str(), "");
}
