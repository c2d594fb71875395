// The PDF tests read the written files back with the poppler tools: the
// texts, the page size, the fonts and the page as pixels at one pixel per
// PDF unit.
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "framework/core/String.h"

namespace sheettest
{

// Windows form of a Unix path: drive Z: is the file system's root.
inline CString DosPath(const std::string& strUnix)
{
    CString str("Z:");
    for (char ch : strUnix)
        str += ch == '/' ? '\\' : ch;
    return str;
}

// The standard output of a shell command.  A Winelib program's C library
// is the Unix one, so the tools run as they would from a shell.
inline std::string RunTool(const std::string& strCommand)
{
    std::string strOut;
    FILE* pPipe = popen(strCommand.c_str(), "r");
    if (pPipe == NULL)
        return strOut;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), pPipe)) > 0)
        strOut.append(buf, n);
    pclose(pPipe);
    return strOut;
}

inline bool FileExists(const std::string& strPath)
{
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
        return false;
    fclose(pFile);
    return true;
}

inline std::string PdfText(const std::string& strPdf)
{
    return RunTool("pdftotext -layout '" + strPdf + "' -");
}

// "W x H" from pdfinfo's page size line.
inline std::string PdfPageSize(const std::string& strPdf)
{
    std::string strInfo = RunTool("pdfinfo '" + strPdf + "'");
    size_t nAt = strInfo.find("Page size:");
    if (nAt == std::string::npos)
        return std::string();
    size_t nStart = strInfo.find_first_not_of(' ', nAt + 10);
    size_t nEnd = strInfo.find(" pts", nStart);
    return nEnd == std::string::npos ? std::string() : strInfo.substr(nStart, nEnd - nStart);
}

// Names of the fonts the page uses, one a line as pdffonts lists them.
inline std::string PdfFonts(const std::string& strPdf)
{
    return RunTool("pdffonts '" + strPdf + "'");
}

// The box pdftotext gives a word, in PDF units from the page's top left:
// from the font's ascent above the baseline to its descent below.
struct PdfWordBox
{
    bool bFound = false;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    double Height() const { return yMax - yMin; }
};

inline double BoxField(const std::string& strTag, const char* pszName)
{
    size_t nAt = strTag.find(std::string(pszName) + "=\"");
    return nAt == std::string::npos ? 0 : atof(strTag.c_str() + nAt + strlen(pszName) + 2);
}

inline PdfWordBox FindPdfWord(const std::string& strPdf, const std::string& strWord)
{
    PdfWordBox box;
    std::string strBoxes = RunTool("pdftotext -bbox '" + strPdf + "' -");
    size_t nWord = strBoxes.find(">" + strWord + "</word>");
    size_t nOpen = nWord == std::string::npos ? nWord : strBoxes.rfind("<word", nWord);
    if (nOpen == std::string::npos)
        return box;
    std::string strTag = strBoxes.substr(nOpen, nWord - nOpen);
    box.bFound = true;
    box.xMin = BoxField(strTag, "xMin");
    box.yMin = BoxField(strTag, "yMin");
    box.xMax = BoxField(strTag, "xMax");
    box.yMax = BoxField(strTag, "yMax");
    return box;
}

// The page rendered without smoothing, at 72 dots per inch unless asked.
class PdfPixels
{
public:
    // nDpi 72 gives one pixel per PDF unit.
    bool Load(const std::string& strPdf, int nDpi = 72)
    {
        std::string strPrefix = strPdf + ".pixels";
        RunTool("pdftoppm -r " + std::to_string(nDpi) + " -aa no -aaVector no -singlefile '" + strPdf +
                "' '" + strPrefix + "'");
        FILE* pFile = fopen((strPrefix + ".ppm").c_str(), "rb");
        if (pFile == NULL)
            return false;
        int nMax = 0;
        bool bOk = fscanf(pFile, "P6 %d %d %d", &m_cx, &m_cy, &nMax) == 3 && nMax == 255;
        if (bOk)
        {
            fgetc(pFile);
            m_rgb.resize((size_t)m_cx * m_cy * 3);
            bOk = fread(&m_rgb[0], 1, m_rgb.size(), pFile) == m_rgb.size();
        }
        fclose(pFile);
        remove((strPrefix + ".ppm").c_str());
        return bOk;
    }

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    // The pixel at (x, y) from the page's top left; white outside.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return RGB(255, 255, 255);
        const unsigned char* p = &m_rgb[((size_t)y * m_cx + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<unsigned char> m_rgb;
};

} // namespace sheettest
