#include "framework/windows/CmdTarget.h"

#include "framework/windows/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, NULL, NULL } };
    static const AFX_MSGMAP map = { NULL, entries };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

BOOL EntryMatches(const AFX_MSGMAP_ENTRY* p, UINT nMessage, UINT nCode, UINT nID)
{
    UINT nEntryMessage = p->nMessage == AFX_REGISTERED_MESSAGE ? *p->pnRegisteredMessage : p->nMessage;
    if (nEntryMessage != nMessage)
        return FALSE;
    if (nMessage == WM_COMMAND || nMessage == WM_NOTIFY)
        return p->nCode == nCode && nID >= p->nID && nID <= p->nLastID;
    if (nMessage == WM_REFLECT_BASE + WM_COMMAND || nMessage == WM_REFLECT_BASE + WM_NOTIFY)
        return p->nCode == nCode;
    return TRUE;
}

const AFX_MSGMAP* BaseMap(const AFX_MSGMAP* pMap)
{
    return pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL;
}

}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                     UINT nCode, UINT nID)
{
    for (; pMap != NULL; pMap = BaseMap(pMap))
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->pfnThunk != NULL; ++p)
            if (EntryMatches(p, nMessage, nCode, nID))
                return p;
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nNotify = LOWORD((UINT)nCode);
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI && HIWORD((UINT)nCode) != 0)
        nMessage = HIWORD((UINT)nCode);

    AFX_MSGCALL call = {};
    call.nMessage = nMessage;
    call.nID = nID;
    call.nCode = nNotify;
    call.pExtra = pExtra;
    if (pExtra != NULL && (nMessage == WM_NOTIFY || nMessage == WM_REFLECT_BASE + WM_NOTIFY))
    {
        NMHDR* pNMHDR = static_cast<AFX_NOTIFY*>(pExtra)->pNMHDR;
        call.wParam = pNMHDR != NULL ? pNMHDR->idFrom : nID;
        call.lParam = reinterpret_cast<LPARAM>(pNMHDR);
    }
    // A handler that declines (ON_COMMAND_EX returning FALSE) lets the
    // search go on to later entries and the base maps.
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL; pMap = BaseMap(pMap))
    {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->pfnThunk != NULL; ++p)
        {
            if (!EntryMatches(p, nMessage, nNotify, nID))
                continue;
            if (pHandlerInfo != NULL)
            {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            if ((UINT)nCode == CN_UPDATE_COMMAND_UI && pExtra != NULL)
            {
                // An update handler may pass the item on to the targets
                // after this one (CCmdUI::ContinueRouting).
                CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
                pCmdUI->m_bContinueRouting = FALSE;
                p->pfnThunk(this, call);
                if (pCmdUI->m_bContinueRouting)
                    return FALSE;
                return TRUE;
            }
            if (p->pfnThunk(this, call))
                return TRUE;
        }
    }
    return FALSE;
}
