#include "engines/dao/spreadsheet/LotusRecords.h"

namespace
{

const UINT CP_DOS_LATIN1 = 850;
const UINT CP_DOS_US = 437;

WORD WordAt(const std::vector<BYTE>& bytes, size_t nAt)
{
    return (WORD)(bytes[nAt] | (bytes[nAt + 1] << 8));
}

} // namespace

UINT LotusCodePage(LotusFormat nFormat)
{
    return nFormat == LOTUS_WKS ? CP_DOS_LATIN1 : CP_DOS_US;
}

BOOL CheckLotusRecords(const std::vector<BYTE>& bytes, WORD& wVersion)
{
    if (bytes.size() < 6 || WordAt(bytes, 0) != LOTUS_BOF || WordAt(bytes, 2) < 2)
        return FALSE;
    wVersion = WordAt(bytes, 4);
    size_t nAt = 0;
    while (nAt + 4 <= bytes.size())
    {
        const WORD wId = WordAt(bytes, nAt);
        const size_t nEnd = nAt + 4 + WordAt(bytes, nAt + 2);
        if (nEnd > bytes.size())
            return FALSE;
        if (wId == LOTUS_EOF)
            return TRUE;
        nAt = nEnd;
    }
    return FALSE;
}
