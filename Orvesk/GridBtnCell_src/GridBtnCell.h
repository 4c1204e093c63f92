// A button cell with up to four buttons of its own and its own text and format.
#pragma once

#include "GridBtnCellBase.h"

#include <memory>

class CGridBtnCell : public CGridBtnCellBase {
    DECLARE_DYNCREATE(CGridBtnCell)

public:
    enum { MAX_BUTTONS = 4 };

    CGridBtnCell();
    ~CGridBtnCell() override;

    void SetText(LPCTSTR szText) override;
    LPCTSTR GetText() const override;
    void SetFormat(UINT nFormat) override;
    UINT GetFormat() const override;
    void Reset() override;

    int GetMaxButtons() const override { return MAX_BUTTONS; }
    UINT GetDrawCtl(int nIndex) const override;
    void SetDrawCtl(int nIndex, UINT nDrawCtl) override;
    UINT GetDrawState(int nIndex) const override;
    void SetDrawState(int nIndex, UINT nState) override;
    int GetButtonWidth(int nIndex) const override;
    void SetButtonWidth(int nIndex, int nWidth) override;
    UINT GetAlignment(int nIndex) const override;
    void SetAlignment(int nIndex, UINT nAlign) override;
    LPCTSTR GetButtonText(int nIndex) const override;
    void SetButtonText(int nIndex, LPCTSTR szText) override;
    BOOL GetGroupFlag(int nIndex) const override;
    void SetGroupFlag(int nIndex, BOOL bGroup) override;

protected:
    // One button: its width (0 or less automatic), frame-control state (at most 0xFFFE),
    // flags (bit 0 group, bits 1-7 alignment) and frame-control type.
    struct Button {
        int nWidth;
        WORD nDrawState;
        BYTE nFlags;
        BYTE nDrawCtl;
    };

    CString m_strText;
    DWORD m_nFormat;
    Button m_buttons[MAX_BUTTONS];
    // The buttons' texts, all empty while none is allocated: most cells never get one, and
    // a task row holds four button cells.
    std::unique_ptr<CString[]> m_pButtonTexts;
};
