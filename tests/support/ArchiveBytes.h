// Test helpers: an object's archive form as bytes, and bytes back into an
// object, through an in-memory file.
#pragma once

#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"

inline std::vector<BYTE> StoreBytes(CObject& ob)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ob.Serialize(ar);
    ar.Close();
    const BYTE* p = file.GetBufferPtr();
    return std::vector<BYTE>(p, p + file.GetLength());
}

inline void LoadBytes(CObject& ob, const std::vector<BYTE>& bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    ob.Serialize(ar);
    ar.Close();
}

inline void PutU16(std::vector<BYTE>& v, unsigned n)
{
    v.push_back((BYTE)n);
    v.push_back((BYTE)(n >> 8));
}

inline void PutU32(std::vector<BYTE>& v, unsigned n)
{
    PutU16(v, n & 0xFFFF);
    PutU16(v, n >> 16);
}
