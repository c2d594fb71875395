// The default workspace of the DAO stand-in.  SQLite needs no engine
// session, so the workspace only names the engine; databases open on it.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"

class CDaoWorkspace : public CObject
{
    DECLARE_DYNAMIC(CDaoWorkspace)
public:
    CDaoWorkspace();
    ~CDaoWorkspace() override;

    // The default workspace is always open.
    BOOL IsOpen() const { return TRUE; }
    CString GetName() const { return "#Default Workspace#"; }
    // Lets the engine do background work; nothing to do over SQLite.
    static void Idle(int nAction = 0) {}
};

// Shuts the DAO engine down before a library that used it is unloaded;
// SQLite keeps no engine-wide state, so every database closes on its own.
void AfxDaoTerm();
