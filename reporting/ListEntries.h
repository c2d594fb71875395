// Moving text entries between the list boxes of the analysis steps.
#pragma once

#include <vector>

#include "framework/core/List.h"
#include "framework/windows/ListBox.h"

// Appends every selected entry of from to the end of to unless to holds an
// equal entry already; returns the number appended.
int AppendSelectedEntries(const CListBox& from, CListBox& to);
// Moves every selected entry of from to the end of to.
void MoveSelectedEntries(CListBox& from, CListBox& to);
// Deletes every selected entry.
void RemoveSelectedEntries(CListBox& list);
// The indexes of the selected entries, highest first.
std::vector<int> SelectedIndexesDescending(const CListBox& list);
// The list box's entries in order into a string list, and back.
void ListEntriesToStrings(const CListBox& list, CStringList& strings);
void StringsToListEntries(const CStringList& strings, CListBox& list);
