// A byte array in memory that the system's structured storage builds a
// compound file in.  Unlike the storage's own array on global memory it
// grows with zeros, so the parts of a sector the storage leaves unwritten
// (unused directory entries) hold no stray bytes.  It lives on the stack of
// its user and outlives the storage made on it; its references are counted
// only to answer the interface.
#pragma once

#include <vector>

#include <objidl.h>

class CMemoryLockBytes : public ILockBytes
{
public:
    CMemoryLockBytes() = default;
    CMemoryLockBytes(const CMemoryLockBytes&) = delete;
    CMemoryLockBytes& operator=(const CMemoryLockBytes&) = delete;

    std::vector<BYTE>& GetBytes() { return m_bytes; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE ReadAt(ULARGE_INTEGER ulOffset, void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE WriteAt(ULARGE_INTEGER ulOffset, const void* pv, ULONG cb, ULONG* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER cb) override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pStat, DWORD grfStatFlag) override;

private:
    LONG m_nReferences = 1;
    std::vector<BYTE> m_bytes;
};
