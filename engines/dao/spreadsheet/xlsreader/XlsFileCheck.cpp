#include "engines/dao/spreadsheet/xlsreader/XlsFileCheck.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "engines/dao/spreadsheet/xlsreader/BiffRecordCheck.h"
#include "engines/dao/spreadsheet/xlsreader/CompoundFileCheck.h"

namespace
{

// The file mapped into memory while the object lives.
class CMappedFile
{
public:
    explicit CMappedFile(const char* pszPath)
    {
        int fd = open(pszPath, O_RDONLY | O_CLOEXEC);
        struct stat status;
        if (fd >= 0 && fstat(fd, &status) == 0 && status.st_size > 0)
        {
            void* p = mmap(NULL, (size_t)status.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED)
                m_bytes = {static_cast<const uint8_t*>(p), (size_t)status.st_size};
        }
        if (fd >= 0)
            close(fd);
    }
    ~CMappedFile()
    {
        if (m_bytes.m_p != NULL)
            munmap(const_cast<uint8_t*>(m_bytes.m_p), m_bytes.m_nCount);
    }
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    CBytes m_bytes = {NULL, 0};
};

} // namespace

bool CheckXlsFile(const char* pszPath)
{
    CMappedFile file(pszPath);
    const CBytes& bytes = file.m_bytes;
    if (bytes.size() < 8)
        return false;
    if (bytes.data()[0] != 0xD0)
        return CheckBiffRecords(bytes, false);
    std::vector<uint8_t> stream;
    return ReadWorkbookStream(bytes, stream) && CheckBiffRecords({stream.data(), stream.size()}, true);
}
