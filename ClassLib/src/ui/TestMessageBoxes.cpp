// Scripted message boxes for tests.
#include "WndInternal.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Testing/MessageBoxes.h>

#include <string>

namespace {
CTestMessageBoxes* g_current = nullptr;
}

int AfxTestUnscriptedMessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    std::string what = "unscripted message box: \"" + Utf8FromCString(text ? text : "") + "\" (caption \"" +
                       Utf8FromCString(caption ? caption : "") + "\")";
    AfxReportTestFailure(what.c_str());
    return AfxSafeMessageBoxAnswer(type);
}

CTestMessageBoxes::CTestMessageBoxes() : m_previous(nullptr), m_outer(g_current)
{
    g_current = this;
    m_previous = AfxSetMessageBoxHandler(&CTestMessageBoxes::Handler);
}

CTestMessageBoxes::~CTestMessageBoxes()
{
    if (!m_script.empty()) {
        std::string what = std::to_string(m_script.size()) + " scripted message box answer(s) never used";
        AfxReportTestFailure(what.c_str());
    }
    AfxSetMessageBoxHandler(m_previous);
    g_current = m_outer;
}

void CTestMessageBoxes::Answer(int nAnswer) { m_script.push_back(Entry{true, CString(), nAnswer}); }

void CTestMessageBoxes::AnswerText(LPCTSTR lpszPart, int nAnswer)
{
    m_script.push_back(Entry{false, CString(lpszPart ? lpszPart : ""), nAnswer});
}

void CTestMessageBoxes::AnswerUtf8(const char* pszPart, int nAnswer)
{
    AnswerText(CStringFromUtf8(pszPart ? pszPart : ""), nAnswer);
}

int CTestMessageBoxes::Handler(LPCTSTR text, LPCTSTR caption, UINT type)
{
    if (!g_current)
        return AfxTestUnscriptedMessageBox(text, caption, type);
    return g_current->Take(text, caption, type);
}

int CTestMessageBoxes::Take(LPCTSTR text, LPCTSTR caption, UINT type)
{
    AfxMessageBoxRecord rec;
    rec.text = text ? text : "";
    rec.caption = caption ? caption : "";
    rec.type = type;
    if (m_script.empty()) {
        rec.answer = AfxTestUnscriptedMessageBox(text, caption, type);
        m_boxes.push_back(rec);
        return rec.answer;
    }
    Entry e = m_script.front();
    m_script.pop_front();
    if (!e.anyText && rec.text.Find(e.part) < 0) {
        std::string what = "message box \"" + Utf8FromCString(rec.text) + "\" does not contain the scripted \"" +
                           Utf8FromCString(e.part) + "\"";
        AfxReportTestFailure(what.c_str());
        rec.answer = AfxSafeMessageBoxAnswer(type);
    } else {
        rec.answer = e.answer;
        rec.scripted = true;
    }
    m_boxes.push_back(rec);
    return rec.answer;
}
