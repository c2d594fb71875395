// COleServerDoc: the document of a program that OLE containers can embed
// or link.  This holds what a server document is before any container
// uses it; the embedding itself is added to it with the server items.
#pragma once

#include "framework/docview/OleDocument.h"

class COleServerDoc : public COleDocument
{
    DECLARE_DYNAMIC(COleServerDoc)
public:
    COleServerDoc();

    // TRUE while the document lives inside a container rather than a file.
    BOOL IsEmbedded() const { return m_bEmbedded; }

protected:
    BOOL m_bEmbedded;
};

// The count of reasons the program must stay loaded for OLE clients
// (objects it serves, documents of automation clients).
void AfxOleLockApp();
void AfxOleUnlockApp();
// TRUE when no lock is held.
BOOL AfxOleCanExitApp();
