// The sample templates a new user finds in the Template folder: a monthly
// report and a ten-day report over the default reporting database's items.
#pragma once

#include "sheet/Sheet.h"

// A monthly report: title, the period, organization code and name key
// cells, this period's and last year's figures of the four expense and
// revenue items with their change, the profit as formulas, and a balance
// formula tying the profit to its parts.
void BuildMonthlySample(CSheet& sheet);
// A ten-day report: the key cells, the sales and costs of the ten days
// and their margin.
void BuildTenDaySample(CSheet& sheet);
