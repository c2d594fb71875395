#include "sheet/CellDraw.h"
#include "sheet/PictureBlock.h"

#include <string.h>

#include "framework/core/MessageSink.h"
#include "framework/windows/Dc.h"

namespace {

const char kPictureFailed[] = "Failed to get picture object.";

// Depth of the blocks for a bitmap of b bits per pixel over all planes.
int DibDepth(int b)
{
    if (b <= 1)
        return 1;
    if (b <= 4)
        return 4;
    if (b <= 8)
        return 8;
    if (b <= 16)
        return 16;
    if (b <= 24)
        return 24;
    return 32;
}

// Colour-table entries of the header block for a depth.
DWORD ColorEntries(int nDepth)
{
    if (nDepth == 24)
        return 0;
    if (nDepth == 32)
        return 1;
    return 1u << nDepth;
}

BOOL Fail(HGLOBAL& hDibInfo, HGLOBAL& hDibBits)
{
    PictureBlockRelease(hDibInfo);
    PictureBlockRelease(hDibBits);
    hDibInfo = NULL;
    hDibBits = NULL;
    AfxMessageBox(kPictureFailed);
    return FALSE;
}

} // namespace

BOOL BitmapToDib(CDC* pDC, HBITMAP hBitmap, HGLOBAL& hDibInfo, HGLOBAL& hDibBits)
{
    hDibInfo = NULL;
    hDibBits = NULL;
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) != (int)sizeof(bm)
        || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return Fail(hDibInfo, hDibBits);

    int nDepth = DibDepth(bm.bmPlanes * bm.bmBitsPixel);
    // Rows are padded to four bytes, also for the depths below eight.
    ULONGLONG cbStride = (((ULONGLONG)bm.bmWidth * nDepth + 31) / 32) * 4;
    ULONGLONG cbImage = cbStride * (ULONGLONG)bm.bmHeight;
    if (cbImage > 0x7FFFFFFF)
        return Fail(hDibInfo, hDibBits);

    DWORD nColors = ColorEntries(nDepth);
    hDibInfo = PictureBlockAlloc(sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD));
    hDibBits = PictureBlockAlloc((SIZE_T)cbImage);
    if (hDibInfo == NULL || hDibBits == NULL)
        return Fail(hDibInfo, hDibBits);

    BITMAPINFOHEADER* pbih = (BITMAPINFOHEADER*)hDibInfo;
    memset(pbih, 0, sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD));
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = bm.bmWidth;
    pbih->biHeight = bm.bmHeight;
    pbih->biPlanes = 1;
    // The block depth, so that GetDIBits gets a depth it converts to.
    pbih->biBitCount = (WORD)nDepth;
    pbih->biCompression = BI_RGB;
    pbih->biSizeImage = (DWORD)cbImage;
    if (::GetDIBits(pDC->GetSafeHdc(), hBitmap, 0, (UINT)bm.bmHeight, hDibBits,
                    (BITMAPINFO*)pbih, DIB_RGB_COLORS) != bm.bmHeight)
        return Fail(hDibInfo, hDibBits);
    // GetDIBits may rewrite these two; the blocks keep their own sizes.
    pbih->biSizeImage = (DWORD)cbImage;
    pbih->biClrUsed = nDepth < 24 ? nColors : 0;
    return TRUE;
}
