// The application's organizations recordset as the document and the view
// use it, held in memory for the tests.
#pragma once

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "engines/common/KemRecordset.h"
#include "framework/db/SqlQuote.h"

// Organizations in memory: Requery applies a filter of the form the
// document writes (FD_Code='..' or FD_Name='..'); an unknown filter gives
// no row.
class CFakeOrganRecordset : public CKemRecordset
{
public:
    std::vector<std::pair<CString, CString>> m_rows;     // code, name
    std::vector<std::string> m_queriedFilters;
    BOOL m_bOpen = TRUE;

    BOOL IsOpen() const override { return m_bOpen; }
    void Requery() override
    {
        m_queriedFilters.push_back((LPCSTR)m_strFilter);
        m_visible.clear();
        for (const auto& row : m_rows)
            if (m_strFilter.IsEmpty() || m_strFilter == "FD_Code=" + SqlQuote(row.first) ||
                m_strFilter == "FD_Name=" + SqlQuote(row.second))
                m_visible.push_back(row);
        m_nPos = 0;
    }
    BOOL IsBOF() const override { return m_visible.empty(); }
    BOOL IsEOF() const override { return m_nPos >= m_visible.size(); }
    void MoveFirst() override { m_nPos = 0; }
    void MoveNext() override { ++m_nPos; }
    COleVariant GetFieldValue(const char* lpszName) override
    {
        const auto& row = m_visible.at(m_nPos);
        // Text comes back in the engines' form: a BSTR holding ANSI bytes.
        const CString& text = strcmp(lpszName, "FD_Code") == 0 ? row.first : row.second;
        return COleVariant((LPCSTR)text, VT_BSTRT);
    }
    using CKemRecordset::GetFieldValue;

private:
    std::vector<std::pair<CString, CString>> m_visible;
    size_t m_nPos = 0;
};
