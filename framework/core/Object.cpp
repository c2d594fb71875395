#include "framework/core/Object.h"

#include <string.h>

namespace {

// Head of this module's chain of class records.  Each module (program or
// engine library) links its own copy of the framework and has its own chain.
CRuntimeClass*& FirstClass()
{
    static CRuntimeClass* first = NULL;
    return first;
}

}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = FirstClass();
    FirstClass() = pNewClass;
}

CRuntimeClass CObject::classCObject = { "CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL };
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetThisClass()
{
    return &CObject::classCObject;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CRuntimeClass::IsSameClass(const CRuntimeClass* pOther) const
{
    if (pOther == this)
        return TRUE;
    return pOther != NULL && strcmp(m_lpszClassName, pOther->m_lpszClassName) == 0;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
    {
        if (p->IsSameClass(pBaseClass))
            return TRUE;
    }
    return FALSE;
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* p = FirstClass(); p != NULL; p = p->m_pNextClass)
    {
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    }
    return NULL;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p != NULL ? p->CreateObject() : NULL;
}
