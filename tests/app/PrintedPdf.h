// The pages of a printed PDF file as poppler reads them: each page's size
// in points and its words with their left edges.
#pragma once

#include <string>
#include <vector>

struct PrintedWord
{
    std::string text;
    double xMin;
};

struct PrintedPage
{
    double width;
    double height;
    int rotation;               // degrees the page is turned when shown
    std::vector<PrintedWord> words;

    // Wider than high as shown.
    bool IsLandscape() const;

    bool Has(const std::string& text) const;
    // The smallest left edge of any word (0 without words).
    double LeftmostX() const;
};

// Runs pdftotext -bbox and pdfinfo on the file (a Unix path); empty when
// they fail.
std::vector<PrintedPage> ReadPrintedPdf(const std::string& unixPath);
// The newest PDF file in the folder (a Unix path) whose name starts with
// the prefix, waiting up to the time for one that is complete; "" if none.
std::string WaitForPrintedPdf(const std::string& unixFolder, const std::string& prefix,
                              unsigned milliseconds, const std::vector<std::string>& skip = {});
