// The designer's template design commands, none of which the editor has:
// design and run mode, the table, cell, format and colour commands and the
// cell diagonals.
#pragma once

#include <windows.h>

inline const UINT kDesignCommands[] = {
    33006, 33007, 32804, 32805, 32806, 32807, 32808, 32809, 32810, 32811, 32814, 32819, 33046,
    32848, 32849, 32850, 32851, 32852, 32853, 33033, 33047, 33049, 32839, 32840, 32841, 32842,
    32843, 32844, 32845, 32846, 32854, 32855, 32856, 32859, 32860, 32861, 32862, 33063, 33064,
};
