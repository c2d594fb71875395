#include "engines/dao/spreadsheet/xlsreader/CompoundFileCheck.h"

#include <string.h>

#include <algorithm>


namespace
{

const uint32_t DIFSECT = 0xFFFFFFFC;
const uint32_t FATSECT = 0xFFFFFFFD;
const uint32_t ENDOFCHAIN = 0xFFFFFFFE;
const uint32_t FREESECT = 0xFFFFFFFF;
const uint32_t NOSTREAM = 0xFFFFFFFF;
const uint32_t HEADER_SIZE = 512;
const uint32_t HEADER_FAT_SECTORS = 109;
const uint32_t DIRECTORY_ENTRY = 128;
const uint32_t MINI_SECTOR = 64;
const uint32_t MINI_CUTOFF = 4096;

enum EntryType
{
    ENTRY_UNUSED = 0,
    ENTRY_STORAGE = 1,
    ENTRY_STREAM = 2,
    ENTRY_ROOT = 5,
};

struct CEntry
{
    uint8_t nType = 0;
    uint32_t nLeft = NOSTREAM, nRight = NOSTREAM, nChild = NOSTREAM;
    uint32_t nStart = ENDOFCHAIN;
    uint32_t nSize = 0;
    bool bWorkbook = false;
};

class CCompoundFile
{
public:
    explicit CCompoundFile(const CBytes& file) : m_file(file) {}

    bool Read(std::vector<uint8_t>& stream)
    {
        if (!ReadHeader() || !ReadFat() || !ReadDirectory() || !CheckTree())
            return false;
        const CEntry* pWorkbook = NULL;
        for (const CEntry& entry : m_entries)
        {
            if (!entry.bWorkbook)
                continue;
            if (pWorkbook != NULL)
                return false;
            pWorkbook = &entry;
        }
        return pWorkbook != NULL && ReadStream(*pWorkbook, stream);
    }

private:
    const uint8_t* Sector(uint32_t nSector) const { return m_file.data() + (size_t)(nSector + 1) * m_nSectorSize; }

    bool ReadHeader()
    {
        static const uint8_t SIGNATURE[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (m_file.size() < HEADER_SIZE || memcmp(m_file.data(), SIGNATURE, sizeof(SIGNATURE)) != 0)
            return false;
        const uint8_t* p = m_file.data();
        uint16_t nMajor = ReadU16(p + 0x1A);
        if ((nMajor != 3 && nMajor != 4) || ReadU16(p + 0x1C) != 0xFFFE
            || ReadU16(p + 0x1E) != (nMajor == 3 ? 9 : 12) || ReadU16(p + 0x20) != 6
            || (nMajor == 3 && ReadU32(p + 0x28) != 0) || ReadU32(p + 0x38) != MINI_CUTOFF)
            return false;
        m_nSectorSize = nMajor == 3 ? 512 : 4096;
        m_nSectors = m_file.size() < m_nSectorSize ? 0 : (uint32_t)(m_file.size() / m_nSectorSize - 1);
        m_nFatSectors = ReadU32(p + 0x2C);
        m_nDirectoryStart = ReadU32(p + 0x30);
        m_nMiniFatStart = ReadU32(p + 0x3C);
        m_nMiniFatSectors = ReadU32(p + 0x40);
        m_nDifatStart = ReadU32(p + 0x44);
        m_nDifatSectors = ReadU32(p + 0x48);
        return m_nFatSectors > 0 && m_nFatSectors <= m_nSectors && m_nDifatSectors <= m_nSectors
               && m_nMiniFatSectors <= m_nSectors;
    }

    // The sector ids of the allocation table, from the header and the
    // chain of DIFAT sectors; unused places must be free.
    bool ReadFat()
    {
        std::vector<uint32_t> fatSectors;
        std::vector<bool> seen(m_nSectors, false);
        auto take = [&](uint32_t nSector) {
            if (fatSectors.size() >= m_nFatSectors)
                return nSector == FREESECT;
            if (nSector >= m_nSectors || seen[nSector])
                return false;
            seen[nSector] = true;
            fatSectors.push_back(nSector);
            return true;
        };
        for (uint32_t i = 0; i < HEADER_FAT_SECTORS; ++i)
            if (!take(ReadU32(m_file.data() + 0x4C + i * 4)))
                return false;
        std::vector<uint32_t> difat;
        uint32_t nDifat = m_nDifatStart;
        const uint32_t nPerSector = m_nSectorSize / 4;
        for (uint32_t n = 0; n < m_nDifatSectors; ++n)
        {
            if (nDifat >= m_nSectors || seen[nDifat])
                return false;
            seen[nDifat] = true;
            difat.push_back(nDifat);
            const uint8_t* p = Sector(nDifat);
            for (uint32_t i = 0; i + 1 < nPerSector; ++i)
                if (!take(ReadU32(p + i * 4)))
                    return false;
            nDifat = ReadU32(p + (nPerSector - 1) * 4);
        }
        if (fatSectors.size() != m_nFatSectors || (nDifat != ENDOFCHAIN && nDifat != FREESECT))
            return false;
        m_fat.reserve((size_t)m_nFatSectors * nPerSector);
        for (uint32_t nSector : fatSectors)
            for (uint32_t i = 0; i < nPerSector; ++i)
                m_fat.push_back(ReadU32(Sector(nSector) + i * 4));
        // Every sector in the file is either free, in a chain or marked as
        // the table's own; none beyond the file is in use.
        for (size_t i = 0; i < m_fat.size(); ++i)
        {
            uint32_t nNext = m_fat[i];
            if (i >= m_nSectors ? nNext != FREESECT : (nNext >= m_nSectors && nNext < DIFSECT))
                return false;
        }
        for (uint32_t nSector : fatSectors)
            if (nSector >= m_fat.size() || m_fat[nSector] != FATSECT)
                return false;
        for (uint32_t nSector : difat)
            if (nSector >= m_fat.size() || m_fat[nSector] != DIFSECT)
                return false;
        return true;
    }

    // The sectors of the chain from nStart, through the table given: each
    // within nCount, none twice, ending at ENDOFCHAIN.
    static bool Chain(const std::vector<uint32_t>& table, uint32_t nCount, uint32_t nStart,
                      std::vector<uint32_t>& chain)
    {
        chain.clear();
        std::vector<bool> seen(nCount, false);
        for (uint32_t nSector = nStart; nSector != ENDOFCHAIN; nSector = table[nSector])
        {
            if (nSector >= nCount || nSector >= table.size() || seen[nSector])
                return false;
            seen[nSector] = true;
            chain.push_back(nSector);
        }
        return true;
    }

    bool ReadDirectory()
    {
        std::vector<uint32_t> chain;
        if (!Chain(m_fat, m_nSectors, m_nDirectoryStart, chain) || chain.empty())
            return false;
        for (uint32_t nSector : chain)
        {
            for (uint32_t nOffset = 0; nOffset < m_nSectorSize; nOffset += DIRECTORY_ENTRY)
            {
                const uint8_t* p = Sector(nSector) + nOffset;
                CEntry entry;
                uint16_t nNameBytes = ReadU16(p + 64);
                entry.nType = p[66];
                if (nNameBytes > 64 || nNameBytes % 2 != 0 || p[67] > 1)
                    return false;
                if (entry.nType != ENTRY_UNUSED && entry.nType != ENTRY_STORAGE && entry.nType != ENTRY_STREAM
                    && entry.nType != ENTRY_ROOT)
                    return false;
                if ((entry.nType == ENTRY_ROOT) != m_entries.empty())
                    return false;
                entry.nLeft = ReadU32(p + 68);
                entry.nRight = ReadU32(p + 72);
                entry.nChild = ReadU32(p + 76);
                entry.nStart = ReadU32(p + 116);
                entry.nSize = ReadU32(p + 120);
                if (ReadU32(p + 124) != 0 || entry.nSize > 0x7FFFFFFF)
                    return false;
                entry.bWorkbook = entry.nType == ENTRY_STREAM && (IsName(p, nNameBytes, "Workbook")
                                                                  || IsName(p, nNameBytes, "Book"));
                m_entries.push_back(entry);
            }
        }
        return true;
    }

    // The UTF-16 name, with its terminating zero, is the ASCII one given
    // (in any letter case).
    static bool IsName(const uint8_t* p, uint16_t nNameBytes, const char* pszName)
    {
        size_t nLength = strlen(pszName);
        if (nNameBytes != (nLength + 1) * 2 || ReadU16(p + nLength * 2) != 0)
            return false;
        for (size_t i = 0; i < nLength; ++i)
        {
            uint16_t ch = ReadU16(p + i * 2);
            if (ch >= 0x80 || (ch | 0x20) != (uint16_t)(pszName[i] | 0x20))
                return false;
        }
        return true;
    }

    // The entries hang from the root as a tree: each id in range, each
    // entry reached once, only storages and streams below the root.
    bool CheckTree() const
    {
        std::vector<bool> seen(m_entries.size(), false);
        std::vector<uint32_t> pending{0};
        seen[0] = true;
        while (!pending.empty())
        {
            const CEntry& entry = m_entries[pending.back()];
            pending.pop_back();
            for (uint32_t nId : {entry.nLeft, entry.nRight, entry.nChild})
            {
                if (nId == NOSTREAM)
                    continue;
                if (nId >= m_entries.size() || seen[nId])
                    return false;
                uint8_t nType = m_entries[nId].nType;
                if (nType != ENTRY_STORAGE && nType != ENTRY_STREAM)
                    return false;
                seen[nId] = true;
                pending.push_back(nId);
            }
        }
        // A workbook stream outside the tree is a damaged directory.
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].bWorkbook && !seen[i])
                return false;
        return true;
    }

    // Copies the first nSize bytes of the chain's units of nUnit bytes;
    // the chain holds exactly as many units as they need.
    template<class UnitAt>
    static bool Gather(const std::vector<uint32_t>& chain, uint32_t nUnit, uint32_t nSize, UnitAt unitAt,
                       std::vector<uint8_t>& bytes)
    {
        if (chain.size() != ((size_t)nSize + nUnit - 1) / nUnit)
            return false;
        bytes.resize(nSize);
        for (size_t i = 0; i < chain.size(); ++i)
        {
            size_t nOffset = i * nUnit;
            memcpy(bytes.data() + nOffset, unitAt(chain[i]), (std::min)((size_t)nUnit, nSize - nOffset));
        }
        return true;
    }

    bool ReadStream(const CEntry& entry, std::vector<uint8_t>& stream) const
    {
        std::vector<uint32_t> chain;
        if (entry.nSize >= MINI_CUTOFF)
            return Chain(m_fat, m_nSectors, entry.nStart, chain)
                   && Gather(chain, m_nSectorSize, entry.nSize,
                             [this](uint32_t n) { return Sector(n); }, stream);
        // A small stream lives in short sectors of the root's stream, found
        // through the short-sector table.
        const CEntry& root = m_entries[0];
        std::vector<uint8_t> miniStream, miniFatBytes;
        std::vector<uint32_t> rootChain, miniFatChain;
        if (!Chain(m_fat, m_nSectors, root.nStart, rootChain)
            || !Gather(rootChain, m_nSectorSize, root.nSize, [this](uint32_t n) { return Sector(n); }, miniStream)
            || !Chain(m_fat, m_nSectors, m_nMiniFatStart, miniFatChain) || miniFatChain.size() != m_nMiniFatSectors
            || !Gather(miniFatChain, m_nSectorSize, m_nMiniFatSectors * m_nSectorSize,
                       [this](uint32_t n) { return Sector(n); }, miniFatBytes))
            return false;
        std::vector<uint32_t> miniFat(miniFatBytes.size() / 4);
        for (size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = ReadU32(miniFatBytes.data() + i * 4);
        const uint32_t nMiniSectors = (uint32_t)(miniStream.size() / MINI_SECTOR);
        return Chain(miniFat, nMiniSectors, entry.nStart, chain)
               && Gather(chain, MINI_SECTOR, entry.nSize,
                         [&miniStream](uint32_t n) { return miniStream.data() + (size_t)n * MINI_SECTOR; }, stream);
    }

    const CBytes m_file;
    uint32_t m_nSectorSize = 512;
    uint32_t m_nSectors = 0;
    uint32_t m_nFatSectors = 0, m_nDirectoryStart = 0, m_nMiniFatStart = 0, m_nMiniFatSectors = 0;
    uint32_t m_nDifatStart = 0, m_nDifatSectors = 0;
    std::vector<uint32_t> m_fat;
    std::vector<CEntry> m_entries;
};

} // namespace

bool ReadWorkbookStream(const CBytes& file, std::vector<uint8_t>& stream)
{
    return CCompoundFile(file).Read(stream);
}
