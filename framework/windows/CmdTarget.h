// CCmdTarget, the root of the classes that receive commands, and the
// message-map tables and macros through which they are routed.
#pragma once

#include "framework/core/Object.h"

class CCmdTarget;
class CCmdUI;
struct AFX_DISPMAP;
struct AFX_INTERFACEMAP;

// Command codes carried in OnCmdMsg's nCode besides control notifications.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Messages reflected from a parent back to the child control that sent them.
#define WM_REFLECT_BASE 0xBC00

// Marks an entry whose message number is read from a variable at run time.
#define AFX_REGISTERED_MESSAGE 0xFFFFFFFFu

// One call through a message-map entry: the message and what the entry's
// thunk returns to the dispatcher.
struct AFX_MSGCALL
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;          // command or control id (commands and notifications)
    UINT nCode;        // notification code (commands and notifications)
    void* pExtra;      // CCmdUI* for updates, AFX_NOTIFY* for WM_NOTIFY
    LRESULT lResult;
};

// Calls the handler; FALSE when the handler declined (ON_COMMAND_EX).
typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;          // WM_xxx, or AFX_REGISTERED_MESSAGE
    UINT nCode;             // notification code (LOWORD) for commands and notifications
    UINT nID;               // first control id
    UINT nLastID;           // last control id of a range
    AFX_PMSGTHUNK pfnThunk; // NULL ends the table
    const UINT* pnRegisteredMessage;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// WM_NOTIFY's arguments as they travel through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command, update or notification through this object's map;
    // nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI, a WM_COMMAND notification,
    // or MAKELONG(code, message) for WM_NOTIFY and reflected messages.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Looks for the first entry of the map chain that matches.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                    UINT nCode, UINT nID);

    // The automation methods (framework/ole/DispatchMap.h) and the further
    // interfaces of an object that OLE clients reach; NULL when it has none.
    virtual const AFX_DISPMAP* GetDispatchMap() const { return NULL; }
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const { return NULL; }
    static const AFX_DISPMAP* GetThisDispatchMap() { return NULL; }
    static const AFX_INTERFACEMAP* GetThisInterfaceMap() { return NULL; }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// The entries are captureless lambdas written inside a member function of
// theClass, so they reach its protected and private handlers.
#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, NULL, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, _messageEntries }; \
        (void)sizeof(ThisClass*); \
        return &messageMap; \
    }

#define AFX_THUNK(body) \
    [](CCmdTarget* _pTarget, AFX_MSGCALL& _call) -> BOOL { \
        ThisClass* _pThis = static_cast<ThisClass*>(_pTarget); \
        (void)_pThis; (void)_call; \
        body \
    }

// Commands and their updates.
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), \
      AFX_THUNK(_pThis->memberFxn(); return TRUE;), NULL },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), \
      AFX_THUNK(return _pThis->memberFxn(_call.nID);), NULL },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), \
      AFX_THUNK(_pThis->memberFxn(_call.nID); return TRUE;), NULL },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, LOWORD(CN_UPDATE_COMMAND_UI), (UINT)(id), (UINT)(id), \
      AFX_THUNK(_pThis->memberFxn(static_cast<CCmdUI*>(_call.pExtra)); return TRUE;), NULL },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, LOWORD(CN_UPDATE_COMMAND_UI), (UINT)(id), (UINT)(idLast), \
      AFX_THUNK(_pThis->memberFxn(static_cast<CCmdUI*>(_call.pExtra)); return TRUE;), NULL },

// Control notifications through WM_COMMAND, to the parent.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)LOWORD(wNotifyCode), (UINT)(id), (UINT)(id), \
      AFX_THUNK(_pThis->memberFxn(); return TRUE;), NULL },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)LOWORD(wNotifyCode), (UINT)(id), (UINT)(idLast), \
      AFX_THUNK(_pThis->memberFxn(_call.nID); return TRUE;), NULL },

// WM_NOTIFY from common controls, to the parent.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)LOWORD(wNotifyCode), (UINT)(id), (UINT)(id), \
      AFX_THUNK(AFX_NOTIFY* _p = static_cast<AFX_NOTIFY*>(_call.pExtra); \
                _pThis->memberFxn(_p->pNMHDR, _p->pResult); return TRUE;), NULL },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)LOWORD(wNotifyCode), (UINT)(id), (UINT)(idLast), \
      AFX_THUNK(AFX_NOTIFY* _p = static_cast<AFX_NOTIFY*>(_call.pExtra); \
                _pThis->memberFxn(_call.nID, _p->pNMHDR, _p->pResult); return TRUE;), NULL },

// Notifications reflected back to the control that sent them.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)LOWORD(wNotifyCode), 0, 0, \
      AFX_THUNK(_pThis->memberFxn(); return TRUE;), NULL },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)LOWORD(wNotifyCode), 0, 0, \
      AFX_THUNK(return _pThis->memberFxn();), NULL },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)LOWORD(wNotifyCode), 0, 0, \
      AFX_THUNK(AFX_NOTIFY* _p = static_cast<AFX_NOTIFY*>(_call.pExtra); \
                _pThis->memberFxn(_p->pNMHDR, _p->pResult); return TRUE;), NULL },

// Any message, cracked by the handler itself.
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, \
      AFX_THUNK(_call.lResult = _pThis->memberFxn(_call.wParam, _call.lParam); return TRUE;), NULL },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { AFX_REGISTERED_MESSAGE, 0, 0, 0, \
      AFX_THUNK(_call.lResult = _pThis->memberFxn(_call.wParam, _call.lParam); return TRUE;), \
      &(nMessageVariable) },

// The button, edit, combo and list box notifications.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
