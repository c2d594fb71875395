// Little-endian fields of the Excel file formats, read from bytes whose
// bounds the caller has checked, and the bytes they are read from.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Bytes held elsewhere: a mapped file, or a stream gathered out of one.
struct CBytes
{
    const uint8_t* m_p;
    size_t m_nCount;

    const uint8_t* data() const { return m_p; }
    size_t size() const { return m_nCount; }
};

inline uint16_t ReadU16(const uint8_t* p)
{
    return (uint16_t)(p[0] | p[1] << 8);
}

inline uint32_t ReadU32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
