#include "framework/core/List.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CObList, CObject)
IMPLEMENT_DYNAMIC(CStringList, CObject)

CPlex* CPlex::Create(CPlex*& pHead, size_t nMax, size_t cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > (SIZE_MAX - sizeof(CPlex)) / cbElement)
        AfxThrowMemoryException();
    void* pMemory = malloc(sizeof(CPlex) + nMax * cbElement);
    if (pMemory == NULL)
        AfxThrowMemoryException();
    CPlex* p = static_cast<CPlex*>(pMemory);
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p != NULL)
    {
        CPlex* pNext = p->pNext;
        free(p);
        p = pNext;
    }
}
