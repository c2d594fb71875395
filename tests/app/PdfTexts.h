// The texts an uncompressed PDF shows: the string operands of its "Tj"
// operators, in the order they appear.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PdfShownTexts(const std::string& bytes);
