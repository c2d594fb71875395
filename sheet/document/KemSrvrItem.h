// CKemSrvrItem: the designer's document as a container embeds it.  Its
// native data is the template stream of the document, its picture the
// sheet's cells.
#pragma once

#include "framework/ole/OleServerItem.h"

class CTallyformDoc;

class CKemSrvrItem : public CDocObjectServerItem
{
    DECLARE_DYNAMIC(CKemSrvrItem)
public:
    explicit CKemSrvrItem(CTallyformDoc* pContainerDoc);
    ~CKemSrvrItem() override;

    CTallyformDoc* GetDocument() const;

    // The embedded item writes and reads the whole document.
    void Serialize(CArchive& ar) override;
    // Maps the sheet's bounding rectangle onto the picture and draws the
    // cells with their borders.
    BOOL OnDraw(CDC* pDC, CSize& rSize) override;
    // 3000 x 3000 HIMETRIC for the content; other aspects as the base.
    BOOL OnGetExtent(DVASPECT dwDrawAspect, CSize& rSize) override;
};
