// Doubly linked lists: the CList template and the framework's typed lists.
//
// Nodes are carved from blocks of nBlockSize nodes; a removed node goes to
// a free list and is handed out again before a new block is taken.  All
// blocks are freed when the list becomes empty.  A node never moves, so a
// POSITION stays valid until its own element is removed: removing the
// element at a saved position while walking with GetNext is safe.
// A NULL position, or the head or tail of an empty list, throws
// CInvalidArgException.
#pragma once

#include "framework/core/Array.h"

// A chain of raw storage blocks, each followed by its elements.
struct alignas(alignof(max_align_t)) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    // Puts a block of nMax elements of cbElement bytes at the head of the
    // chain and returns it; throws CMemoryException.
    static CPlex* Create(CPlex*& pHead, size_t nMax, size_t cbElement);
    // Frees this block and every block after it.
    void FreeDataChain();
};

// Element equality used by Find and by the maps' key look-up.
template<class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL),
          m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertNode(NULL, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertNode(m_pNodeTail, NULL, newElement); }
    // Copies the elements of pNewList, which may be this list.
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);

    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    // Return the element at rPosition and move it on (NULL past the end).
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;

    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or the tail
    // (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // Searches from the head, or from the element after startAfter; NULL
    // when not found.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    // NULL when nIndex is not within 0 .. count - 1.
    POSITION FindIndex(INT_PTR nIndex) const;

    // The element count in the archive's count form, then the elements
    // from the head (see AfxSerializeElements).  Loading replaces the
    // contents.
    void Serialize(CArchive& ar) override;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

private:
    static CNode* NodeAt(POSITION position)
    {
        if (position == NULL)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* pNode)
    {
        if (pNode == NULL)
            AfxThrowInvalidArgException();
        return pNode;
    }
    CNode* NewNode();
    void FreeNode(CNode* pNode);
    POSITION InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void Unlink(CNode* pNode);
};

// Takes a node from the free list, with a default-constructed element.
template<class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode()
{
    if (m_pNodeFree == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, (size_t)m_nBlockSize, sizeof(CNode));
        // Chained backwards so the block's nodes are used in address order.
        CNode* pNode = static_cast<CNode*>(pBlock->data()) + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pNode--)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    AfxConstructElements(&pNode->data, 1);
    m_pNodeFree = pNode->pNext;
    m_nCount++;
    return pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    CNode* pNode = NewNode();
    try
    {
        pNode->data = newElement;
    }
    catch (...)
    {
        FreeNode(pNode);
        throw;
    }
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    if (pPrev != NULL)
        pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    if (pNext != NULL)
        pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    return (POSITION)pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Unlink(CNode* pNode)
{
    if (pNode == m_pNodeHead)
        m_pNodeHead = pNode->pNext;
    else
        pNode->pPrev->pNext = pNode->pNext;
    if (pNode == m_pNodeTail)
        m_pNodeTail = pNode->pPrev;
    else
        pNode->pNext->pPrev = pNode->pPrev;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
        pNode->data.~TYPE();
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
    m_pNodeHead = NULL;
    m_pNodeTail = NULL;
    m_pNodeFree = NULL;
    m_nCount = 0;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pNode = NonEmpty(m_pNodeHead);
    TYPE value = pNode->data;
    Unlink(pNode);
    FreeNode(pNode);
    return value;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pNode = NonEmpty(m_pNodeTail);
    TYPE value = pNode->data;
    Unlink(pNode);
    FreeNode(pNode);
    return value;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    // Counted, so that adding a list to itself ends.
    INT_PTR n = pNewList->m_nCount;
    CNode* pNode = pNewList->m_pNodeTail;
    for (; n > 0; n--, pNode = pNode->pPrev)
        AddHead(pNode->data);
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    INT_PTR n = pNewList->m_nCount;
    CNode* pNode = pNewList->m_pNodeHead;
    for (; n > 0; n--, pNode = pNode->pNext)
        AddTail(pNode->data);
}

template<class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pNode = NodeAt(position);
    Unlink(pNode);
    FreeNode(pNode);
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pNode = NodeAt(position);
    return InsertNode(pNode->pPrev, pNode, newElement);
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pNode = NodeAt(position);
    return InsertNode(pNode, pNode->pNext, newElement);
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : reinterpret_cast<CNode*>(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
    {
        if (CompareElements(&pNode->data, &searchValue))
            return (POSITION)pNode;
    }
    return NULL;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (!AfxHasArchiveForm<TYPE>())
        AfxThrowNotSupportedException();
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            AfxSerializeElements(ar, &pNode->data, 1);
    }
    else
    {
        RemoveAll();
        DWORD_PTR nCount = AfxReadCheckedCount(ar, AfxMinArchiveElementSize<TYPE>());
        for (; nCount > 0; nCount--)
        {
            TYPE value{};
            AfxSerializeElements(ar, &value, 1);
            AddTail(value);
        }
    }
}

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
