#include "tests/app/PdfTexts.h"

#include <math.h>
#include <stdlib.h>

std::vector<std::string> PdfShownTexts(const std::string& bytes)
{
    std::vector<std::string> texts;
    size_t pos = 0;
    while ((pos = bytes.find('(', pos)) != std::string::npos)
    {
        // A literal string: backslash escapes, balanced parentheses inside.
        std::string text;
        int nDepth = 1;
        size_t i = pos + 1;
        for (; i < bytes.size() && nDepth > 0; ++i)
        {
            char c = bytes[i];
            if (c == '\\' && i + 1 < bytes.size())
            {
                text += bytes[++i];
                continue;
            }
            if (c == '(')
                ++nDepth;
            else if (c == ')' && --nDepth == 0)
                break;
            text += c;
        }
        size_t next = bytes.find_first_not_of(" \r\n", i + 1);
        if (next != std::string::npos && bytes.compare(next, 2, "Tj") == 0)
            texts.push_back(text);
        pos = i + 1;
    }
    return texts;
}

std::vector<double> NumbersAmong(const std::vector<std::string>& texts)
{
    std::vector<double> numbers;
    for (const std::string& text : texts)
    {
        char* pEnd = NULL;
        double value = strtod(text.c_str(), &pEnd);
        if (!text.empty() && pEnd != NULL && *pEnd == '\0')
            numbers.push_back(value);
    }
    return numbers;
}

bool HoldsNumber(const std::vector<double>& numbers, double value, double tolerance)
{
    for (double number : numbers)
        if (fabs(number - value) <= tolerance)
            return true;
    return false;
}
