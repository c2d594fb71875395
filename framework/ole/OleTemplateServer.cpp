#include "framework/ole/OleTemplateServer.h"

#include "framework/docview/DocTemplate.h"
#include "framework/ole/OleServerDoc.h"

COleTemplateServer::COleTemplateServer()
    : COleObjectFactory(CLSID_NULL, FALSE, ""), m_pDocTemplate(NULL), m_nAppType(OAT_INPLACE_SERVER)
{
}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate,
                                         BOOL bMultiInstance)
{
    m_clsid = clsid;
    m_pDocTemplate = pDocTemplate;
    m_bMultiInstance = bMultiInstance;
    pDocTemplate->GetDocString(m_strProgID, CDocTemplate::regFileTypeId);
}

BOOL COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType)
{
    m_nAppType = nAppType;
    CString strPath;
    if (m_pDocTemplate == NULL || m_strProgID.IsEmpty() || !AfxGetServerModulePath(strPath))
        return FALSE;
    CString strName;
    if (!m_pDocTemplate->GetDocString(strName, CDocTemplate::regFileTypeName))
        strName = m_strProgID;
    CString strClsid = AfxStringFromCLSID(m_clsid);
    CString strClass = "CLSID\\" + strClsid;
    // COM adds the /Embedding switch when it starts the program.
    if (!AfxSetClassesRootValue(m_strProgID, NULL, strName)
        || !AfxSetClassesRootValue(m_strProgID + "\\CLSID", NULL, strClsid)
        || !AfxSetClassesRootValue(strClass, NULL, strName)
        || !AfxSetClassesRootValue(strClass + "\\ProgID", NULL, m_strProgID)
        || !AfxSetClassesRootValue(strClass + "\\LocalServer32", NULL, "\"" + strPath + "\""))
        return FALSE;
    if (nAppType == OAT_DISPATCH_OBJECT)
        return TRUE;
    // Containers hold embedded objects through OLE's own default handler.
    return AfxSetClassesRootValue(strClass + "\\InprocHandler32", NULL, "ole32.dll");
}

IUnknown* COleTemplateServer::OnCreateObject()
{
    if (m_pDocTemplate == NULL)
        return NULL;
    CDocument* pDocument = m_pDocTemplate->CreateNewDocument();
    if (pDocument == NULL)
        return NULL;
    COleServerDoc* pDoc = pDocument->IsKindOf(RUNTIME_CLASS(COleServerDoc))
                              ? static_cast<COleServerDoc*>(pDocument)
                              : NULL;
    if (pDoc != NULL)
    {
        pDoc->SetServedClass(m_clsid);
        m_pDocTemplate->SetDefaultTitle(pDoc);
    }
    if (pDoc == NULL || !pDoc->OnNewDocument())
    {
        m_pDocTemplate->RemoveDocument(pDocument);
        delete pDocument;
        return NULL;
    }
    IUnknown* pUnknown = pDoc->GetControllingUnknown();
    pUnknown->AddRef();
    return pUnknown;
}
