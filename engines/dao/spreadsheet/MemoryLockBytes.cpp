#include "engines/dao/spreadsheet/MemoryLockBytes.h"

#include <string.h>

namespace
{

// Larger than any file this array is asked to hold.
const ULONGLONG MAX_SIZE = 0x7FFFFFFF;

} // namespace

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_ILockBytes))
    {
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<ILockBytes*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CMemoryLockBytes::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_nReferences);
}

ULONG STDMETHODCALLTYPE CMemoryLockBytes::Release()
{
    return (ULONG)InterlockedDecrement(&m_nReferences);
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::ReadAt(ULARGE_INTEGER ulOffset, void* pv, ULONG cb, ULONG* pcbRead)
{
    ULONG nRead = 0;
    if (ulOffset.QuadPart < m_bytes.size())
    {
        ULONGLONG nLeft = m_bytes.size() - ulOffset.QuadPart;
        nRead = cb < nLeft ? cb : (ULONG)nLeft;
        memcpy(pv, m_bytes.data() + ulOffset.QuadPart, nRead);
    }
    if (pcbRead != NULL)
        *pcbRead = nRead;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::WriteAt(ULARGE_INTEGER ulOffset, const void* pv, ULONG cb,
                                                    ULONG* pcbWritten)
{
    if (pcbWritten != NULL)
        *pcbWritten = 0;
    if (ulOffset.QuadPart + cb > MAX_SIZE)
        return STG_E_MEDIUMFULL;
    if (ulOffset.QuadPart + cb > m_bytes.size())
        m_bytes.resize((size_t)(ulOffset.QuadPart + cb));
    memcpy(m_bytes.data() + ulOffset.QuadPart, pv, cb);
    if (pcbWritten != NULL)
        *pcbWritten = cb;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::Flush()
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::SetSize(ULARGE_INTEGER cb)
{
    if (cb.QuadPart > MAX_SIZE)
        return STG_E_MEDIUMFULL;
    m_bytes.resize((size_t)cb.QuadPart);
    return S_OK;
}

// Nothing else can reach the array: no locking is needed or offered.
HRESULT STDMETHODCALLTYPE CMemoryLockBytes::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE CMemoryLockBytes::Stat(STATSTG* pStat, DWORD)
{
    if (pStat == NULL)
        return STG_E_INVALIDPOINTER;
    memset(pStat, 0, sizeof(*pStat));
    pStat->type = STGTY_LOCKBYTES;
    pStat->cbSize.QuadPart = m_bytes.size();
    return S_OK;
}
