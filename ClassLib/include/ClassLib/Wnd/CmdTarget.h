// The root of every object that receives messages and commands: CCmdTarget, with the
// command routing of its message map, and CCmdUI, the state a command's user interface
// (menu item, tool bar button, other window) is updated through.
#pragma once

#include <ClassLib/Core/Object.h>
#include <ClassLib/Wnd/MsgMap.h>

class CWnd;
class CMenu;

class AFX_EXT_CLASS CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command (nCode CN_COMMAND or a control code), a command UI update
    // (CN_UPDATE_COMMAND_UI, pExtra a CCmdUI*) or a notification (nCode
    // MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY*) through the message map. With
    // pHandlerInfo the handler is only looked up and described, not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor, counted: each Begin needs an End.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Automation is not offered on this platform; these keep callers compiling.
    void EnableAutomation() {}
    virtual void OnFinalRelease() { delete this; }

    // The message-map entry for a window message (or a registered one), searched along
    // the chain of base maps; NULL when none handles it.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Dispatches one command-like entry search (WM_COMMAND, WM_NOTIFY or a reflected
    // form); TRUE when a handler took it.
    BOOL DispatchCmdMsg(UINT nMsg, UINT nCode, UINT nID, void* pExtra,
                        AFX_CMDHANDLERINFO* pHandlerInfo, LRESULT* pResult);

    friend class CWnd;
};

// Command UI updates. The menu and tool bar layers derive from this to reach their items;
// the base class handles a plain window (m_pOther).
class AFX_EXT_CLASS CCmdUI
{
public:
    UINT m_nID;
    UINT m_nIndex;
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;
    CWnd* m_pOther;
    CMenu* m_pParentMenu;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;

    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's routing for an update handler; without one, and with
    // bDisableIfNoHndler, the item is enabled exactly when a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// The class library's command ids of the standard commands.
#define ID_SEPARATOR 0
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_UPDATE 0xE10A
#define ID_FILE_SAVE_COPY_AS 0xE10B
#define ID_FILE_SEND_MAIL 0xE10C
#define ID_FILE_MRU_FIRST 0xE110
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_LAST 0xE11F
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_PASTE_LINK 0xE126
#define ID_EDIT_PASTE_SPECIAL 0xE127
#define ID_EDIT_REPEAT 0xE128
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_FORMAT_FONT 0xE160
#define ID_OLE_INSERT_NEW 0xE200
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_RECORD_FIRST 0xE900
#define ID_RECORD_LAST 0xE901
#define ID_RECORD_NEXT 0xE902
#define ID_RECORD_PREV 0xE903
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
