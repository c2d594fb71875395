#include "view/SystemImageList.h"

#include <shellapi.h>

HIMAGELIST CSystemImageList::s_hShared = NULL;
int CSystemImageList::s_nLive = 0;

CSystemImageList::CSystemImageList()
{
    if (s_hShared == NULL)
    {
        SHFILEINFOA info = {};
        s_hShared = (HIMAGELIST)SHGetFileInfoA("C:\\", 0, &info, sizeof(info),
                                               SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    ++s_nLive;
    if (s_hShared != NULL)
        Attach(s_hShared);
}

CSystemImageList::~CSystemImageList()
{
    // Detached, never destroyed: the list belongs to the shell.
    Detach();
    if (--s_nLive == 0)
        s_hShared = NULL;
}
