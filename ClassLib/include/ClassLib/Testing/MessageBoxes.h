// Message boxes in tests: each one is recorded (text, caption, flags) and answered from a
// script. A box nobody scripted is reported as a test failure and gets the safe answer
// (cancel, no or abort where offered, else OK), so no test can hang on one.
#pragma once

#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/Core/String.h>

#include <deque>
#include <vector>

struct AfxMessageBoxRecord
{
    CString text;
    CString caption;
    UINT type = 0;
    int answer = 0;
    bool scripted = false;
};

class AFX_EXT_CLASS CTestMessageBoxes
{
public:
    CTestMessageBoxes();   // takes over the message-box handler
    ~CTestMessageBoxes();  // gives it back; script entries left over are reported

    // The next box is answered nAnswer, whatever it says.
    void Answer(int nAnswer);
    // The next box must contain the text (code page 936, or UTF-8 with AnswerUtf8);
    // another text is reported and gets the safe answer.
    void AnswerText(LPCTSTR lpszPart, int nAnswer);
    void AnswerUtf8(const char* pszPart, int nAnswer);

    const std::vector<AfxMessageBoxRecord>& Boxes() const { return m_boxes; }
    int Count() const { return (int)m_boxes.size(); }
    size_t Pending() const { return m_script.size(); }
    void Clear() { m_boxes.clear(); }

private:
    struct Entry
    {
        bool anyText;
        CString part;
        int answer;
    };
    static int Handler(LPCTSTR text, LPCTSTR caption, UINT type);
    int Take(LPCTSTR text, LPCTSTR caption, UINT type);

    std::deque<Entry> m_script;
    std::vector<AfxMessageBoxRecord> m_boxes;
    AfxMessageBoxHandler m_previous;
    CTestMessageBoxes* m_outer;

    CTestMessageBoxes(const CTestMessageBoxes&) = delete;
    CTestMessageBoxes& operator=(const CTestMessageBoxes&) = delete;
};

// The handler tests run with when no script is in place: every box is a failure.
AFX_EXT_API int AfxTestUnscriptedMessageBox(LPCTSTR text, LPCTSTR caption, UINT type);
