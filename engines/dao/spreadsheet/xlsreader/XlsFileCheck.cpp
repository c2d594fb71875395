#include "engines/dao/spreadsheet/xlsreader/XlsFileCheck.h"

#include <stdint.h>
#include <stdio.h>

#include <vector>

#include "engines/dao/spreadsheet/xlsreader/BiffRecordCheck.h"
#include "engines/dao/spreadsheet/xlsreader/CompoundFileCheck.h"

namespace
{

bool ReadFileBytes(const char* pszPath, std::vector<uint8_t>& bytes)
{
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return false;
    uint8_t buffer[1 << 16];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + nRead);
    bool bRead = ferror(pFile) == 0;
    fclose(pFile);
    return bRead;
}

} // namespace

bool CheckXlsFile(const char* pszPath)
{
    std::vector<uint8_t> file;
    if (!ReadFileBytes(pszPath, file) || file.size() < 8)
        return false;
    if (file[0] != 0xD0)
        return CheckBiffRecords(file, false);
    std::vector<uint8_t> stream;
    return ReadWorkbookStream(file, stream) && CheckBiffRecords(stream, true);
}
