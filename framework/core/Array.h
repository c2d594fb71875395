// Dynamic arrays: the CArray template and the framework's typed arrays.
//
// Elements live in one contiguous block from malloc.  Growing the array
// clears the new storage to zero bytes and then default-constructs each new
// element, so members a constructor leaves alone read as zero.  Elements are
// moved inside the block as raw bytes (insertions, removals, reallocation),
// so an element type must not point into itself; CString does not.
// A bad index throws CInvalidArgException, a failed allocation
// CMemoryException.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Exception.h"
#include "framework/core/String.h"

#include <new>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <type_traits>

// Tells the optimiser that memory at p may be read and written here, so a
// zero fill ahead of a constructor is not dropped as a dead store and the
// members the constructor skips are loaded from memory afterwards.
inline void AfxCollectionFence(void* p)
{
    __asm__ __volatile__("" : : "r"(p) : "memory");
}

// Zero-fills nCount elements' storage, then default-constructs each.
template<class TYPE>
inline void AfxConstructElements(TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    memset((void*)pElements, 0, (size_t)nCount * sizeof(TYPE));
    AfxCollectionFence(pElements);
    for (INT_PTR i = 0; i < nCount; i++)
        ::new ((void*)(pElements + i)) TYPE;
    AfxCollectionFence(pElements);
}

template<class TYPE>
inline void AfxDestructElements(TYPE* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; i++)
        pElements[i].~TYPE();
}

template<class TYPE>
constexpr bool AfxHasArchiveForm()
{
    return std::is_same<TYPE, CString>::value || std::is_arithmetic<TYPE>::value ||
           (std::is_trivially_copyable<TYPE>::value && !std::is_pointer<TYPE>::value);
}

// Elements whose archive form is known: numbers one by one through the
// archive's operators, strings in the archive's string form, other plain
// structures as their bytes.  Anything else (pointers, classes with owned
// data) has no archive form and throws CNotSupportedException.
template<class TYPE>
inline void AfxSerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_same<TYPE, CString>::value || std::is_floating_point<TYPE>::value)
    {
        for (INT_PTR i = 0; i < nCount; i++)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else if constexpr (std::is_integral<TYPE>::value)
    {
        // By width, so that every integer type finds its archive operator.
        typedef typename std::conditional<sizeof(TYPE) == 1, BYTE,
                typename std::conditional<sizeof(TYPE) == 2, WORD,
                typename std::conditional<sizeof(TYPE) == 4, UINT, uint64_t>::type>::type>::type WIRE;
        for (INT_PTR i = 0; i < nCount; i++)
        {
            if (ar.IsStoring())
            {
                ar << (WIRE)pElements[i];
            }
            else
            {
                WIRE value;
                ar >> value;
                pElements[i] = (TYPE)value;
            }
        }
    }
    else if constexpr (std::is_trivially_copyable<TYPE>::value && !std::is_pointer<TYPE>::value)
    {
        // One Read/Write call takes a UINT, so large arrays go in pieces.
        const INT_PTR nChunk = 0x10000000 / (INT_PTR)sizeof(TYPE) + 1;
        for (INT_PTR nDone = 0; nDone < nCount; nDone += nChunk)
        {
            INT_PTR nPart = nCount - nDone < nChunk ? nCount - nDone : nChunk;
            UINT nBytes = (UINT)((size_t)nPart * sizeof(TYPE));
            if (ar.IsStoring())
                ar.Write(pElements + nDone, nBytes);
            else if (ar.Read(pElements + nDone, nBytes) != nBytes)
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
    }
    else
    {
        (void)pElements;
        (void)nCount;
        AfxThrowNotSupportedException();
    }
}

// The fewest archive bytes one element takes: bounds a count read from a
// file by what the file still holds.
template<class TYPE>
inline ULONGLONG AfxMinArchiveElementSize()
{
    return std::is_same<TYPE, CString>::value ? 1 : sizeof(TYPE);
}

// Reads an element count and refuses one that the rest of the file cannot
// hold, before anything is allocated for it.
inline DWORD_PTR AfxReadCheckedCount(CArchive& ar, ULONGLONG nMinElementSize)
{
    DWORD_PTR nCount = ar.ReadCount();
    ULONGLONG nRemaining = ar.GetBytesRemaining();
    if (nRemaining != (ULONGLONG)-1 && nMinElementSize != 0 &&
        (ULONGLONG)nCount > nRemaining / nMinElementSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return nCount;
}

template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() override { Release(); }

    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy -1 keeps the current growth step; 0 means a step that grows
    // with the array (an eighth of it, at least 4).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    // Shrinks the storage to the element count.
    void FreeExtra();
    // Destroys the elements and frees the storage (capacity 0).
    void RemoveAll() { Release(); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    // Grows the array to hold nIndex when it does not.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    // Returns the new element's index.
    INT_PTR Add(ARG_TYPE newElement);
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    // Inserts nCount copies at nIndex; an index at or past the end grows
    // the array (default elements fill any gap).
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // The element count in the archive's count form, then the elements
    // (see AfxSerializeElements).  Loading replaces the contents.
    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    BOOL IsOwnElement(const void* p) const
    {
        uintptr_t a = (uintptr_t)p, lo = (uintptr_t)m_pData;
        return m_pData != NULL && a >= lo && a < lo + (uintptr_t)m_nMaxSize * sizeof(TYPE);
    }
    static TYPE* Allocate(INT_PTR nCount);
    void Release();
    void Reserve(INT_PTR nMinSize);
    void OpenGap(INT_PTR nIndex, INT_PTR nCount);
};

template<class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::Allocate(INT_PTR nCount)
{
    if (nCount <= 0 || (size_t)nCount > SIZE_MAX / sizeof(TYPE))
        AfxThrowMemoryException();
    void* p = malloc((size_t)nCount * sizeof(TYPE));
    if (p == NULL)
        AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Release()
{
    AfxDestructElements(m_pData, m_nSize);
    free(m_pData);
    m_pData = NULL;
    m_nSize = 0;
    m_nMaxSize = 0;
}

// Makes room for nMinSize elements, moving them to a larger block.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR nMinSize)
{
    if (nMinSize <= m_nMaxSize)
        return;
    INT_PTR nGrowBy = m_nGrowBy;
    if (nGrowBy == 0)
    {
        // A step in proportion to the size keeps Add amortised constant.
        nGrowBy = m_nSize / 8;
        if (nGrowBy < 4)
            nGrowBy = 4;
    }
    INT_PTR nNewMax = nMinSize;
    if (nGrowBy <= INTPTR_MAX - m_nMaxSize && m_nMaxSize + nGrowBy > nNewMax)
        nNewMax = m_nMaxSize + nGrowBy;
    TYPE* pNew = Allocate(nNewMax);
    if (m_nSize > 0)
        memcpy((void*)pNew, (const void*)m_pData, (size_t)m_nSize * sizeof(TYPE));
    free(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0)
    {
        Release();
        return;
    }
    if (nNewSize > m_nSize)
    {
        Reserve(nNewSize);
        AfxConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    }
    else
    {
        AfxDestructElements(m_pData + nNewSize, m_nSize - nNewSize);
    }
    m_nSize = nNewSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    TYPE* pNew = NULL;
    if (m_nSize > 0)
    {
        pNew = Allocate(m_nSize);
        memcpy((void*)pNew, (const void*)m_pData, (size_t)m_nSize * sizeof(TYPE));
    }
    free(m_pData);
    m_pData = pNew;
    m_nMaxSize = m_nSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nMaxSize && IsOwnElement(&newElement))
    {
        // Growing moves the block the argument lives in.
        TYPE copy;
        copy = newElement;
        SetAtGrow(nIndex, copy);
        return;
    }
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1, -1);
    m_pData[nIndex] = newElement;
}

template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR nSrcSize = src.m_nSize;
    if (nSrcSize > INTPTR_MAX - nOldSize)
        AfxThrowMemoryException();
    SetSize(nOldSize + nSrcSize);
    // Read src.m_pData only now: appending an array to itself moved it.
    for (INT_PTR i = 0; i < nSrcSize; i++)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < m_nSize; i++)
        m_pData[i] = src.m_pData[i];
}

// Leaves nCount default elements at nIndex, moving the tail up as bytes.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::OpenGap(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex >= m_nSize)
    {
        if (nCount > INTPTR_MAX - nIndex)
            AfxThrowMemoryException();
        SetSize(nIndex + nCount, -1);
        return;
    }
    if (nCount > INTPTR_MAX - m_nSize)
        AfxThrowMemoryException();
    Reserve(m_nSize + nCount);
    memmove((void*)(m_pData + nIndex + nCount), (const void*)(m_pData + nIndex),
            (size_t)(m_nSize - nIndex) * sizeof(TYPE));
    AfxConstructElements(m_pData + nIndex, nCount);
    m_nSize += nCount;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    if (IsOwnElement(&newElement))
    {
        // The insertion moves the elements under the argument.
        TYPE copy;
        copy = newElement;
        InsertAt(nIndex, copy, nCount);
        return;
    }
    OpenGap(nIndex, nCount);
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nIndex + i] = newElement;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0)
        AfxThrowInvalidArgException();
    INT_PTR nCount = pNewArray->m_nSize;
    if (nCount == 0)
        return;
    if (pNewArray == this)
    {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    OpenGap(nStartIndex, nCount);
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    AfxDestructElements(m_pData + nIndex, nCount);
    INT_PTR nMoveCount = m_nSize - (nIndex + nCount);
    if (nMoveCount > 0)
        memmove((void*)(m_pData + nIndex), (const void*)(m_pData + nIndex + nCount),
                (size_t)nMoveCount * sizeof(TYPE));
    m_nSize -= nCount;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (!AfxHasArchiveForm<TYPE>())
        AfxThrowNotSupportedException();
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nSize);
        AfxSerializeElements(ar, m_pData, m_nSize);
    }
    else
    {
        DWORD_PTR nCount = AfxReadCheckedCount(ar, AfxMinArchiveElementSize<TYPE>());
        if (nCount > (DWORD_PTR)INTPTR_MAX)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        SetSize((INT_PTR)nCount, -1);
        AfxSerializeElements(ar, m_pData, m_nSize);
    }
}

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObArray)
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_DYNAMIC(CByteArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_DYNAMIC(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_DYNAMIC(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_DYNAMIC(CStringArray)
};
