#include "tests/app/PrintedPdf.h"

#include <dirent.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <windows.h>

namespace
{

double Attribute(const std::string& tag, const char* name)
{
    std::string key = std::string(name) + "=\"";
    size_t at = tag.find(key);
    return at == std::string::npos ? 0.0 : atof(tag.c_str() + at + key.size());
}

long FileSize(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? (long)st.st_size : -1;
}

// Runs a shell command line; the poppler tools are Unix programs: Wine
// starts them from their Unix path but gives no handle to wait on, so the
// output file is waited for until it holds the end mark.
std::string RunForOutput(const std::string& commandLine, const std::string& out, const char* endMark)
{
    remove(out.c_str());
    std::string command = "Z:\\bin\\sh -c \"" + commandLine + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA("Z:\\bin\\sh", &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return "";
    if (pi.hProcess != NULL)
        CloseHandle(pi.hProcess);
    if (pi.hThread != NULL)
        CloseHandle(pi.hThread);
    for (int i = 0; i < 200; ++i)
    {
        Sleep(100);
        std::ifstream in(out);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (text.find(endMark) != std::string::npos)
        {
            remove(out.c_str());
            return text;
        }
    }
    return "";
}

} // namespace

bool PrintedPage::Has(const std::string& text) const
{
    return std::any_of(words.begin(), words.end(),
                       [&text](const PrintedWord& word) { return word.text == text; });
}

bool PrintedPage::IsLandscape() const
{
    return rotation % 180 == 0 ? width > height : height > width;
}

double PrintedPage::LeftmostX() const
{
    double x = 0.0;
    for (size_t i = 0; i < words.size(); ++i)
        if (i == 0 || words[i].xMin < x)
            x = words[i].xMin;
    return x;
}

std::vector<PrintedPage> ReadPrintedPdf(const std::string& unixPath)
{
    std::vector<PrintedPage> pages;
    std::string html = RunForOutput("pdftotext -bbox " + unixPath + " " + unixPath + ".html",
                                    unixPath + ".html", "</html>");
    std::string info = RunForOutput("pdfinfo -f 1 -l 9999 " + unixPath + " > " + unixPath +
                                        ".info; echo END >> " + unixPath + ".info",
                                    unixPath + ".info", "END");
    if (html.empty() || info.empty())
        return pages;
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string::npos)
    {
        size_t end = html.find('>', at);
        if (end == std::string::npos)
            break;
        std::string tag = html.substr(at, end - at + 1);
        if (tag.rfind("<page ", 0) == 0)
            pages.push_back(PrintedPage{ Attribute(tag, "width"), Attribute(tag, "height"), 0, {} });
        else if (tag.rfind("<word ", 0) == 0 && !pages.empty())
        {
            size_t close = html.find("</word>", end);
            if (close == std::string::npos)
                break;
            pages.back().words.push_back(
                PrintedWord{ html.substr(end + 1, close - end - 1), Attribute(tag, "xMin") });
        }
        at = end + 1;
    }
    // "Page    2 rot:  90" lines of pdfinfo.
    std::istringstream lines(info);
    std::string line;
    while (std::getline(lines, line))
    {
        int nPage = 0, nRotation = 0;
        if (sscanf(line.c_str(), "Page %d rot: %d", &nPage, &nRotation) == 2 && nPage >= 1 &&
            (size_t)nPage <= pages.size())
            pages[nPage - 1].rotation = nRotation;
    }
    return pages;
}

std::string WaitForPrintedPdf(const std::string& unixFolder, const std::string& prefix,
                              unsigned milliseconds, const std::vector<std::string>& skip)
{
    DWORD start = GetTickCount();
    std::string found;
    long lastSize = -2;
    do
    {
        if (DIR* dir = opendir(unixFolder.c_str()))
        {
            while (dirent* entry = readdir(dir))
            {
                std::string name = entry->d_name;
                if (name.rfind(prefix, 0) == 0 && name.size() > 4 &&
                    name.compare(name.size() - 4, 4, ".pdf") == 0 &&
                    std::find(skip.begin(), skip.end(), unixFolder + "/" + name) == skip.end())
                    found = unixFolder + "/" + name;
            }
            closedir(dir);
        }
        // cups-pdf writes the file in steps: it is complete once its size holds.
        if (!found.empty())
        {
            long size = FileSize(found);
            if (size > 0 && size == lastSize)
                return found;
            lastSize = size;
        }
        Sleep(300);
    } while (GetTickCount() - start < milliseconds);
    return "";
}
