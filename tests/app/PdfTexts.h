// The texts an uncompressed PDF shows: the string operands of its "Tj"
// operators, in the order they appear.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PdfShownTexts(const std::string& bytes);
// The texts that are numbers, as numbers.
std::vector<double> NumbersAmong(const std::vector<std::string>& texts);
// Whether a number lies within the tolerance of the value.
bool HoldsNumber(const std::vector<double>& numbers, double value, double tolerance = 1e-6);
