// CSystemImageList: the shell's small-icon system image list.  Every live
// instance holds the one handle the shell gives out; none destroys it (the
// shell owns it), and the last one to go forgets it.
#pragma once

#include "framework/windows/ImageList.h"

class CSystemImageList : public CImageList
{
public:
    CSystemImageList();
    ~CSystemImageList() override;

    CSystemImageList(const CSystemImageList&) = delete;
    CSystemImageList& operator=(const CSystemImageList&) = delete;

private:
    static HIMAGELIST s_hShared;
    static int s_nLive;
};
