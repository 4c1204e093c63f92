// Message maps: static tables, one per class, that route window messages, commands and
// notifications to member functions. A class declares its table with DECLARE_MESSAGE_MAP()
// and defines it in its source:
//
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_PAINT()
//       ON_WM_LBUTTONDOWN()
//       ON_MESSAGE(WM_MY_PRIVATE, OnMyPrivate)
//       ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
//       ON_NOTIFY(LVN_ENDLABELEDIT, IDC_EDITOR, OnEndEdit)
//   END_MESSAGE_MAP()
//
// Member names are given bare (OnEditCopy) or qualified by the class or one of its bases
// (CMyWnd::OnEditCopy). Each entry calls its member through a typed adapter generated from
// the member's own type, so a handler whose parameters cannot take the message's arguments
// does not compile. Lookup walks the class's table, then its base class's, and so on.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Wnd/Messages.h>

#include <type_traits>

class CCmdTarget;
class CCmdUI;

// Everything one dispatch carries to an adapter.
struct AFX_MSGCALL
{
    UINT nMsg;        // the message (for commands WM_COMMAND, for notifications WM_NOTIFY)
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;         // command or control id
    UINT nCode;       // command or notification code
    void* pExtra;     // CCmdUI* for command UI updates, AFX_NOTIFY* for notifications
    BOOL bHandled;    // an _EX handler that returns FALSE clears it: routing goes on
};

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;                 // window message; WM_COMMAND / WM_NOTIFY for routed entries
    UINT nCode;                    // control or notification code (0 for window messages)
    UINT nID;                      // first control id
    UINT nLastID;                  // last control id (== nID except for ranges)
    const UINT* pnRegisteredMsg;   // ON_REGISTERED_MESSAGE: the variable holding the id
    AFX_PMSGTHUNK pfnThunk;        // NULL ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The record passed with WM_NOTIFY routing (pExtra of OnCmdMsg).
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

namespace afx_msgmap_detail {

template <class T>
struct PmfTraits;
template <class C, class R, class... A>
struct PmfTraits<R (C::*)(A...)>
{
    typedef C Class;
    typedef R Result;
};
template <class C, class R, class... A>
struct PmfTraits<R (C::*)(A...) const>
{
    typedef C Class;
    typedef R Result;
};

// Calls the member PMF on the target with the decoded arguments; the member's result,
// whatever its type, becomes the message result (void gives 0).
template <auto PMF, class... Args>
inline LRESULT CallMember(CCmdTarget* pTarget, Args... args)
{
    typedef PmfTraits<decltype(PMF)> Traits;
    typename Traits::Class* p = static_cast<typename Traits::Class*>(pTarget);
    if constexpr (std::is_void<typename Traits::Result>::value) {
        (p->*PMF)(args...);
        return 0;
    } else {
        return (LRESULT)((p->*PMF)(args...));
    }
}

// Adapters for the generic entries.
template <auto PMF>
LRESULT MessageWL(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, c.wParam, c.lParam); }
template <auto PMF>
LRESULT CommandV(CCmdTarget* p, AFX_MSGCALL&) { return CallMember<PMF>(p); }
template <auto PMF>
LRESULT CommandId(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, c.nID); }
template <auto PMF>
LRESULT CommandEx(CCmdTarget* p, AFX_MSGCALL& c)
{
    if (!CallMember<PMF>(p, c.nID))
        c.bHandled = FALSE;
    return 0;
}
template <auto PMF>
LRESULT UpdateUI(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, static_cast<CCmdUI*>(c.pExtra)); }
template <auto PMF>
LRESULT UpdateUIRange(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, static_cast<CCmdUI*>(c.pExtra)); }
template <auto PMF>
LRESULT Notify(CCmdTarget* p, AFX_MSGCALL& c)
{
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    return CallMember<PMF>(p, n->pNMHDR, n->pResult);
}
template <auto PMF>
LRESULT NotifyRange(CCmdTarget* p, AFX_MSGCALL& c)
{
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    return CallMember<PMF>(p, c.nID, n->pNMHDR, n->pResult);
}
template <auto PMF>
LRESULT NotifyEx(CCmdTarget* p, AFX_MSGCALL& c)
{
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (!CallMember<PMF>(p, c.nID, n->pNMHDR, n->pResult))
        c.bHandled = FALSE;
    return 0;
}
template <auto PMF>
LRESULT NotifyReflectEx(CCmdTarget* p, AFX_MSGCALL& c)
{
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (!CallMember<PMF>(p, n->pNMHDR, n->pResult))
        c.bHandled = FALSE;
    return 0;
}
template <auto PMF>
LRESULT ControlReflectEx(CCmdTarget* p, AFX_MSGCALL& c)
{
    if (!CallMember<PMF>(p))
        c.bHandled = FALSE;
    return 0;
}

}  // namespace afx_msgmap_detail

// ---- declaring and defining a table --------------------------------------------------------
#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }           \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                             \
    {                                                                                           \
        [[maybe_unused]] typedef theClass ThisClass;                                            \
        typedef baseClass TheBaseClass;                                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
            {0, 0, 0, 0, nullptr, nullptr}};                                     \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,  \
                                              &_messageEntries[0]};              \
        return &messageMap;                                                      \
    }

// ---- generic entries --------------------------------------------------------------------------
// LRESULT OnXxx(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, nullptr, &afx_msgmap_detail::MessageWL<&ThisClass::memberFxn>},
// LRESULT OnXxx(WPARAM, LPARAM) for a message id from RegisterWindowMessage.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, &(nMessageVariable), &afx_msgmap_detail::MessageWL<&ThisClass::memberFxn>},
// void OnXxx()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::CommandV<&ThisClass::memberFxn>},
// void OnXxx(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::CommandId<&ThisClass::memberFxn>},
// BOOL OnXxx(UINT nID): FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::CommandEx<&ThisClass::memberFxn>},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::CommandEx<&ThisClass::memberFxn>},
// void OnUpdateXxx(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::UpdateUI<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::UpdateUIRange<&ThisClass::memberFxn>},
// void OnXxx(): a control's notification code through WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::CommandV<&ThisClass::memberFxn>},
// void OnXxx(UINT nID)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::CommandId<&ThisClass::memberFxn>},
// void OnXxx(NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::Notify<&ThisClass::memberFxn>},
// void OnXxx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::NotifyRange<&ThisClass::memberFxn>},
// BOOL OnXxx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult): FALSE routes on.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, &afx_msgmap_detail::NotifyEx<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr, &afx_msgmap_detail::NotifyEx<&ThisClass::memberFxn>},
// Reflected to the control that sent them: void OnXxx(NMHDR*, LRESULT*) and void OnXxx().
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr, &afx_msgmap_detail::Notify<&ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr, &afx_msgmap_detail::NotifyReflectEx<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, &afx_msgmap_detail::CommandV<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, &afx_msgmap_detail::ControlReflectEx<&ThisClass::memberFxn>},

// For modules that add entries of their own: an entry for a window message whose
// arguments the given adapter template decodes (see Wnd/MsgThunks.h for examples).
#define AFX_ON_WINDOW_MESSAGE(message, adapter, memberFxn) \
    {(UINT)(message), 0, 0, 0, nullptr, &adapter<&ThisClass::memberFxn>},
