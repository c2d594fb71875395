// COleTemplateServer: the class factory that serves a document template's
// documents to OLE clients.  Each client object is a new document of the
// template, made without asking the user anything.
#pragma once

#include "framework/ole/OleObjectFactory.h"

class CDocTemplate;

// What the registry says the program serves.
enum OLE_APPTYPE
{
    OAT_INPLACE_SERVER = 0,
    OAT_SERVER = 1,
    OAT_CONTAINER = 2,
    OAT_DISPATCH_OBJECT = 3,
    OAT_DOC_OBJECT_SERVER = 4
};

class COleTemplateServer : public COleObjectFactory
{
public:
    COleTemplateServer();

    // Serves pDocTemplate's documents as class clsid under the template's
    // file type id (its ProgID).
    void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
    // The class and its ProgID in the registry, pointing at this program;
    // FALSE, writing nothing, when the program's file cannot be named.
    BOOL UpdateRegistry(OLE_APPTYPE nAppType);
    BOOL UpdateRegistry() override { return UpdateRegistry(m_nAppType); }

protected:
    IUnknown* OnCreateObject() override;

private:
    CDocTemplate* m_pDocTemplate;
    OLE_APPTYPE m_nAppType;
};
