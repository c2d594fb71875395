#include "tests/app/PdfTexts.h"

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
