#include "reporting/ListEntries.h"

namespace
{
std::vector<int> SelectedIndexes(const CListBox& list)
{
    std::vector<int> indexes;
    int nCount = list.GetSelCount();
    if (nCount <= 0)
        return indexes;
    indexes.resize(nCount);
    int nGot = list.GetSelItems(nCount, indexes.data());
    indexes.resize(nGot > 0 ? nGot : 0);
    return indexes;
}
} // namespace

int AppendSelectedEntries(const CListBox& from, CListBox& to)
{
    int nAppended = 0;
    for (int nIndex : SelectedIndexes(from))
    {
        CString strText;
        from.GetText(nIndex, strText);
        if (to.FindStringExact(-1, strText) >= 0)
            continue;
        to.AddString(strText);
        ++nAppended;
    }
    return nAppended;
}

void MoveSelectedEntries(CListBox& from, CListBox& to)
{
    for (int nIndex : SelectedIndexes(from))
    {
        CString strText;
        from.GetText(nIndex, strText);
        to.AddString(strText);
    }
    RemoveSelectedEntries(from);
}

void RemoveSelectedEntries(CListBox& list)
{
    for (int nIndex : SelectedIndexesDescending(list))
        list.DeleteString(nIndex);
}

std::vector<int> SelectedIndexesDescending(const CListBox& list)
{
    // The list box gives them in ascending order.
    std::vector<int> indexes = SelectedIndexes(list);
    return std::vector<int>(indexes.rbegin(), indexes.rend());
}

void ListEntriesToStrings(const CListBox& list, CStringList& strings)
{
    strings.RemoveAll();
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString strText;
        list.GetText(i, strText);
        strings.AddTail(strText);
    }
}

void StringsToListEntries(const CStringList& strings, CListBox& list)
{
    list.ResetContent();
    for (POSITION pos = strings.GetHeadPosition(); pos != NULL;)
        list.AddString(strings.GetNext(pos));
}
