// COleServerItem: what a container shows of an embedded server document:
// its picture (OnDraw), its size (OnGetExtent) and its native data
// (Serialize).  The document makes its embedded item on demand
// (COleServerDoc::OnGetEmbeddedItem) and deletes it when auto-delete is on.
#pragma once

#include <objidl.h>

#include "framework/windows/CmdTarget.h"
#include "framework/windows/Geometry.h"

class CDC;
class COleServerDoc;

class COleServerItem : public CCmdTarget
{
    DECLARE_DYNAMIC(COleServerItem)
public:
    COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete);
    ~COleServerItem() override;

    COleServerDoc* GetDocument() const { return m_pDocument; }
    // Links to items are not served: an item is only ever embedded.
    BOOL IsLinkedItem() const { return FALSE; }

    // Draws the item into a metafile DC; rSize is its extent in HIMETRIC.
    virtual BOOL OnDraw(CDC* pDC, CSize& rSize) = 0;
    // The item's size in HIMETRIC for an aspect; FALSE when unknown.
    virtual BOOL OnGetExtent(DVASPECT nDrawAspect, CSize& rSize);

    // A metafile picture of the item (CF_METAFILEPICT), or NULL.
    HGLOBAL GetMetafilePicture();

    BOOL m_bAutoDelete;

private:
    COleServerDoc* m_pDocument;
};

// The embedded item of a document that can also be shown as a document
// object; nothing beyond the embedded item is served here.
class CDocObjectServerItem : public COleServerItem
{
    DECLARE_DYNAMIC(CDocObjectServerItem)
public:
    CDocObjectServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete)
        : COleServerItem(pServerDoc, bAutoDelete)
    {
    }
};
