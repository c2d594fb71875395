// Hash maps: the CMap template and the framework's typed maps.
//
// Chained buckets; the table starts at 17 buckets (or InitHashTable's size)
// and is rebuilt about twice as large when the pairs outnumber the buckets
// two to one, so a POSITION from GetStartPosition/GetNextAssoc is only good
// while no new key is added.  Removing the pair just returned by
// GetNextAssoc, or changing values, keeps the walk going.  Pairs are carved
// from blocks of nBlockSize, recycled through a free list and freed when
// the map becomes empty.  String keys compare case-sensitively.
#pragma once

#include "framework/core/List.h"

// Hashes integers and pointers; strings have their own forms below.
template<class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    // Mixes all bits: small integer keys and aligned pointers spread over
    // the buckets.
    ULONGLONG k = (ULONGLONG)(uintptr_t)key;
    k ^= k >> 33;
    k *= 0xFF51AFD7ED558CCDULL;
    k ^= k >> 33;
    return (UINT)k;
}

template<>
inline UINT HashKey<LPCSTR>(LPCSTR key)
{
    UINT nHash = 5381;
    if (key != NULL)
    {
        for (; *key != '\0'; key++)
            nHash = (nHash << 5) + nHash + (BYTE)*key;
    }
    return nHash;
}

template<>
inline UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>((LPCSTR)key);
}

inline BOOL CompareElements(const CString* pElement1, const LPCSTR* pElement2)
{
    return pElement1->Compare(*pElement2 != NULL ? *pElement2 : "") == 0;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL),
          m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // FALSE, and rValue untouched, when the key is absent.
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The key's value, added as a default value when the key is absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    // FALSE when the key was absent.
    BOOL RemoveKey(ARG_KEY key);
    // Frees all pairs and the table; the table size is kept.
    void RemoveAll();

    // NULL for an empty map.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    // Returns the pair at rNextPosition and moves it on; NULL after the
    // last pair.  A NULL position throws CInvalidArgException.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count (at least 1); the pairs held are redistributed.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashValue) const;
    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    void Rebuild(UINT nHashSize);
    CAssoc* FirstFrom(UINT nBucket) const;
};

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* p = m_pHashTable[nHashValue % m_nHashTableSize]; p != NULL; p = p->pNext)
    {
        if (p->nHashValue == nHashValue && CompareElements(&p->key, &key))
            return p;
    }
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc()
{
    if (m_pFreeList == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, (size_t)m_nBlockSize, sizeof(CAssoc));
        CAssoc* pAssoc = static_cast<CAssoc*>(pBlock->data()) + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pAssoc--)
        {
            pAssoc->pNext = m_pFreeList;
            m_pFreeList = pAssoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    AfxConstructElements(&pAssoc->key, 1);
    AfxConstructElements(&pAssoc->value, 1);
    m_pFreeList = pAssoc->pNext;
    m_nCount++;
    return pAssoc;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->value.~VALUE();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rebuild(UINT nHashSize)
{
    if (nHashSize == 0)
        nHashSize = 1;
    void* pMemory = calloc(nHashSize, sizeof(CAssoc*));
    if (pMemory == NULL)
        AfxThrowMemoryException();
    CAssoc** pNewTable = static_cast<CAssoc**>(pMemory);
    if (m_pHashTable != NULL)
    {
        for (UINT b = 0; b < m_nHashTableSize; b++)
        {
            CAssoc* p = m_pHashTable[b];
            while (p != NULL)
            {
                CAssoc* pNext = p->pNext;
                UINT nBucket = p->nHashValue % nHashSize;
                p->pNext = pNewTable[nBucket];
                pNewTable[nBucket] = p;
                p = pNext;
            }
        }
        free(m_pHashTable);
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = nHashSize;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (nHashSize == 0)
        nHashSize = 1;
    if (m_pHashTable != NULL || bAllocNow)
        Rebuild(nHashSize);
    else
        m_nHashTableSize = nHashSize;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc != NULL)
        return pAssoc->value;

    if (m_pHashTable == NULL)
        Rebuild(m_nHashTableSize);
    else if ((ULONGLONG)m_nCount >= 2ULL * m_nHashTableSize && m_nHashTableSize < 0x40000000u)
        Rebuild(m_nHashTableSize * 2 + 1);

    pAssoc = NewAssoc();
    try
    {
        pAssoc->key = key;
    }
    catch (...)
    {
        FreeAssoc(pAssoc);
        throw;
    }
    pAssoc->nHashValue = nHashValue;
    UINT nBucket = nHashValue % m_nHashTableSize;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    return pAssoc->value;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    CAssoc** ppLink = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (CAssoc* p = *ppLink; p != NULL; ppLink = &p->pNext, p = p->pNext)
    {
        if (p->nHashValue == nHashValue && CompareElements(&p->key, &key))
        {
            *ppLink = p->pNext;
            FreeAssoc(p);
            return TRUE;
        }
    }
    return FALSE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL)
    {
        for (UINT b = 0; b < m_nHashTableSize; b++)
        {
            for (CAssoc* p = m_pHashTable[b]; p != NULL; p = p->pNext)
            {
                p->key.~KEY();
                p->value.~VALUE();
            }
        }
        free(m_pHashTable);
        m_pHashTable = NULL;
    }
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
    m_pFreeList = NULL;
    m_nCount = 0;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFrom(UINT nBucket) const
{
    for (; m_pHashTable != NULL && nBucket < m_nHashTableSize; nBucket++)
    {
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    }
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* pAssoc = reinterpret_cast<CAssoc*>(rNextPosition);
    if (rNextPosition == BEFORE_START_POSITION)
        pAssoc = FirstFrom(0);
    if (pAssoc == NULL)
        AfxThrowInvalidArgException();
    rKey = pAssoc->key;
    rValue = pAssoc->value;
    CAssoc* pNext = pAssoc->pNext;
    if (pNext == NULL)
        pNext = FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNext);
}

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_DYNAMIC(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
