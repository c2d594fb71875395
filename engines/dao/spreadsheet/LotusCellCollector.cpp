#include "engines/dao/spreadsheet/LotusCellCollector.h"


void CLotusCellCollector::openSheet(const librevenge::RVNGPropertyList&)
{
    m_bInFirstSheet = ++m_nSheetsOpened == 1;
}

void CLotusCellCollector::closeSheet()
{
    m_bInFirstSheet = false;
}

// A cell with a value is a number whatever its display format (currency,
// percent, date); one without gathers the text that follows it.
void CLotusCellCollector::openSheetCell(const librevenge::RVNGPropertyList& propList)
{
    m_bInCell = false;
    const librevenge::RVNGProperty* pRow = propList["librevenge:row"];
    const librevenge::RVNGProperty* pColumn = propList["librevenge:column"];
    if (!m_bInFirstSheet || pRow == NULL || pColumn == NULL)
        return;
    m_nRow = pRow->getInt();
    m_nColumn = pColumn->getInt();
    if (m_nRow < 0 || m_nColumn < 0)
    {
        m_bAllKept = false;
        return;
    }
    const librevenge::RVNGProperty* pValue = propList["librevenge:value"];
    if (pValue != NULL)
    {
        m_bAllKept = m_bAllKept && m_grid.SetNumber((unsigned)m_nRow, (unsigned)m_nColumn, pValue->getDouble());
        return;
    }
    m_bInCell = true;
    m_cellText.clear();
}

void CLotusCellCollector::closeSheetCell()
{
    if (m_bInCell && !m_cellText.empty())
        m_bAllKept = m_bAllKept && m_grid.SetText((unsigned)m_nRow, (unsigned)m_nColumn, CString(m_cellText.data(), (int)m_cellText.size()));
    m_bInCell = false;
}

void CLotusCellCollector::AppendText(const char* pszUtf8)
{
    if (m_bInCell)
        m_cellText += pszUtf8;
}
