// HTML tables through libxml2's HTML parser, which copes with the loose
// markup of real documents.  Cell texts and table names travel as UTF-8,
// as libxml2 holds them; the document keeps its own encoding.
#include <functional>
#include <memory>
#include <string>

#include "engines/dao/HtmlTable.h"

#include "framework/db/DBText.h"

// libxml2 is a native library: seeing _WIN32, its headers would ask for
// the Windows calling convention, which a Winelib build really applies.
#pragma push_macro("_WIN32")
#undef _WIN32
#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/xmlerror.h>
#pragma pop_macro("_WIN32")
#include <string.h>


namespace
{

struct CDocFree
{
    void operator()(xmlDoc* pDoc) const { xmlFreeDoc(pDoc); }
};
typedef std::unique_ptr<xmlDoc, CDocFree> CDocPtr;

BOOL IsElement(xmlNode* pNode, const char* lpszName)
{
    return pNode->type == XML_ELEMENT_NODE && xmlStrcasecmp(pNode->name, (const xmlChar*)lpszName) == 0;
}

std::wstring Wide(const char* p, int n, UINT nCodePage)
{
    int nWide = MultiByteToWideChar(nCodePage, 0, p, n, NULL, 0);
    std::wstring wide(nWide, L'\0');
    if (nWide > 0)
        MultiByteToWideChar(nCodePage, 0, p, n, &wide[0], nWide);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT nCodePage)
{
    int n = WideCharToMultiByte(nCodePage, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
    std::string text(n, '\0');
    if (n > 0)
        WideCharToMultiByte(nCodePage, 0, wide.data(), (int)wide.size(), &text[0], n, NULL, NULL);
    return text;
}

// Every element of the kind below pNode, in document order, not looking
// into nested tables.
void CollectElements(xmlNode* pNode, const char* lpszName, std::vector<xmlNode*>& found)
{
    for (xmlNode* p = pNode->children; p != NULL; p = p->next)
    {
        if (p->type != XML_ELEMENT_NODE)
            continue;
        if (IsElement(p, lpszName))
            found.push_back(p);
        else if (!IsElement(p, "table"))
            CollectElements(p, lpszName, found);
    }
}

void CollectTables(xmlNode* pNode, std::vector<xmlNode*>& found)
{
    for (xmlNode* p = pNode->children; p != NULL; p = p->next)
    {
        if (IsElement(p, "table"))
            found.push_back(p);
        if (p->type == XML_ELEMENT_NODE)
            CollectTables(p, found);
    }
}

// The errors libxml2 reports while it parses, collected instead of
// printed; the handler before is put back when the parse is over.
class CParseDamage
{
public:
    CParseDamage() : m_previous(xmlStructuredError), m_pPreviousContext(xmlStructuredErrorContext)
    {
        xmlSetStructuredErrorFunc(this, Note);
    }
    ~CParseDamage() { xmlSetStructuredErrorFunc(m_pPreviousContext, m_previous); }
    // The first repair that may have cost part of the document, in words;
    // "" when there was none.
    const CString& First() const { return m_strFirst; }

private:
    CParseDamage(const CParseDamage&) = delete;
    CParseDamage& operator=(const CParseDamage&) = delete;

    // Loose markup that loses nothing: tags of later HTML versions, a
    // stray end tag or '&', an attribute given twice.
    static BOOL IsHarmless(int nCode)
    {
        return nCode == XML_HTML_UNKNOWN_TAG || nCode == XML_HTML_STRUCURE_ERROR
               || nCode == XML_ERR_ENTITYREF_SEMICOL_MISSING || nCode == XML_ERR_NAME_REQUIRED
               || nCode == XML_ERR_TAG_NAME_MISMATCH || nCode == XML_ERR_ATTRIBUTE_REDEFINED;
    }
    static void Note(void* pData, xmlErrorPtr pError)
    {
        CParseDamage& damage = *static_cast<CParseDamage*>(pData);
        if (pError == NULL || IsHarmless(pError->code) || !damage.m_strFirst.IsEmpty())
            return;
        CString strMessage(pError->message != NULL ? pError->message : "");
        strMessage.Trim();
        damage.m_strFirst.Format("line %d: %s", pError->line, (LPCSTR)strMessage);
    }

    xmlStructuredErrorFunc m_previous;
    void* m_pPreviousContext;
    CString m_strFirst;
};

// Parses the document: in the encoding it declares, else (raw bytes with
// no declaration) in the program's code page.  strDamage tells the first
// repair the parser made that may have lost part of the document.
CDocPtr ParseDocument(const CString& strText, CString& strDamage)
{
    const int nOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
    CParseDamage damage;
    CDocPtr pDoc(htmlReadMemory(strText, strText.GetLength(), NULL, NULL, nOptions));
    strDamage = damage.First();
    if (pDoc && htmlGetMetaEncoding(pDoc.get()) == NULL && pDoc->encoding == NULL)
    {
        char szCodePage[16];
        snprintf(szCodePage, sizeof(szCodePage), "CP%u", GetACP());
        CParseDamage localDamage;
        CDocPtr pLocal(htmlReadMemory(strText, strText.GetLength(), NULL, szCodePage, nOptions));
        if (pLocal)
        {
            pDoc = std::move(pLocal);
            strDamage = localDamage.First();
        }
    }
    return pDoc;
}

// How often the text holds "</table", in any letter case.
size_t TableEndTags(const CString& strText)
{
    CString strUpper(strText);
    strUpper.MakeUpper();
    size_t nEnds = 0;
    for (int nAt = strUpper.Find("</TABLE"); nAt >= 0; nAt = strUpper.Find("</TABLE", nAt + 7))
        ++nEnds;
    return nEnds;
}

// The document's tables, or, with the reason, none when the parser had to
// repair it: a reading of a damaged or cut-short document may lack rows
// that the file still holds, and must never be written back over it.
// HTML requires a table's end tag, which a document cut short lacks and
// the parser supplies without a word.
CDocPtr ParseWholeDocument(const CString& strText, std::vector<xmlNode*>& tables, CString& strError)
{
    CString strDamage;
    CDocPtr pDoc = ParseDocument(strText, strDamage);
    tables.clear();
    if (pDoc)
        CollectTables(reinterpret_cast<xmlNode*>(pDoc.get()), tables);
    if (!strDamage.IsEmpty())
        strError = "it is damaged or cut short (" + strDamage + ")";
    else if (TableEndTags(strText) < tables.size())
        strError = "it is cut short or damaged: a table has no end tag </table>";
    else
        return pDoc;
    tables.clear();
    return CDocPtr();
}

// A node's text: entities decoded, line breaks and runs of blanks made
// one space, as UTF-8.
CString NodeText(xmlNode* pNode)
{
    std::string text;
    std::function<void(xmlNode*)> walk = [&](xmlNode* p) {
        for (xmlNode* c = p->children; c != NULL; c = c->next)
        {
            if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE)
                text += (const char*)c->content;
            else if (IsElement(c, "br"))
                text += ' ';
            else if (c->type == XML_ELEMENT_NODE)
                walk(c);
        }
    };
    walk(pNode);
    std::wstring wide = Wide(text.data(), (int)text.size(), CP_UTF8);
    std::wstring collapsed;
    for (wchar_t c : wide)
    {
        BOOL bBlank = c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == 0xA0;
        if (!bBlank)
            collapsed += c;
        else if (!collapsed.empty() && collapsed.back() != L' ')
            collapsed += L' ';
    }
    while (!collapsed.empty() && collapsed.back() == L' ')
        collapsed.pop_back();
    std::string narrow = Narrow(collapsed, CP_UTF8);
    return CString(narrow.data(), (int)narrow.size());
}

std::vector<xmlNode*> RowCells(xmlNode* pRow)
{
    std::vector<xmlNode*> cells;
    for (xmlNode* p = pRow->children; p != NULL; p = p->next)
        if (IsElement(p, "td") || IsElement(p, "th"))
            cells.push_back(p);
    return cells;
}

// A table's name in a message, in the program's code page.
CString ShownName(const CString& strName)
{
    return DBTextFromDriver(strName);
}

// The caption's text in UTF-8, else "TableN".
CString TableName(xmlNode* pTable, size_t nIndex)
{
    std::vector<xmlNode*> captions;
    CollectElements(pTable, "caption", captions);
    CString strName = captions.empty() ? CString() : NodeText(captions[0]);
    if (strName.IsEmpty())
        strName.Format("Table%d", (int)nIndex + 1);
    return strName;
}

BOOL ReadTable(xmlNode* pTable, CSourceTable& table, CString& strError)
{
    std::vector<xmlNode*> rows;
    CollectElements(pTable, "tr", rows);
    if (rows.empty())
    {
        strError.Format("table %s has no header row", (LPCSTR)ShownName(table.m_strName));
        return FALSE;
    }
    std::vector<xmlNode*> header = RowCells(rows[0]);
    for (size_t i = 0; i < header.size(); ++i)
    {
        CString strName = NodeText(header[i]);
        if (strName.IsEmpty())
            strName.Format("F%d", (int)i + 1);
        table.m_columns.push_back(strName);
    }
    for (size_t r = 1; r < rows.size(); ++r)
    {
        std::vector<xmlNode*> cells = RowCells(rows[r]);
        if (cells.size() > table.m_columns.size())
        {
            strError.Format("a row of table %s has more cells than its header", (LPCSTR)ShownName(table.m_strName));
            return FALSE;
        }
        std::vector<CSourceValue> row(table.m_columns.size());
        for (size_t i = 0; i < cells.size(); ++i)
        {
            row[i].m_strText = NodeText(cells[i]);
            row[i].m_bNull = row[i].m_strText.IsEmpty();
        }
        table.m_rows.push_back(std::move(row));
    }
    return TRUE;
}

// Text for the document: UTF-8, which libxml2 holds and escapes on output
// as the document's encoding needs.
std::string Utf8(const CString& strText)
{
    CString strUtf8 = DBStoredTextAsUtf8(strText, strText.GetLength());
    return std::string(strUtf8, strUtf8.GetLength());
}

xmlNode* NewRow(const std::vector<CString>& texts, const char* lpszCell)
{
    xmlNode* pRow = xmlNewNode(NULL, (const xmlChar*)"tr");
    for (const CString& strText : texts)
        xmlNewTextChild(pRow, NULL, (const xmlChar*)lpszCell, (const xmlChar*)Utf8(strText).c_str());
    return pRow;
}

// Puts the table's header and rows in place of the rows pTable holds.
void ReplaceRows(xmlNode* pTable, const CSourceTable& table)
{
    std::vector<xmlNode*> rows;
    CollectElements(pTable, "tr", rows);
    xmlNode* pParent = rows.empty() ? pTable : rows[0]->parent;
    for (xmlNode* pRow : rows)
    {
        xmlUnlinkNode(pRow);
        xmlFreeNode(pRow);
    }
    xmlAddChild(pParent, NewRow(table.m_columns, "th"));
    for (const std::vector<CSourceValue>& row : table.m_rows)
    {
        std::vector<CString> texts;
        for (const CSourceValue& value : row)
            texts.push_back(value.m_bNull ? CString() : value.m_strText);
        xmlAddChild(pParent, NewRow(texts, "td"));
    }
}

BOOL HasDoctype(const CString& strText)
{
    CString strStart = strText.Left(1024);
    strStart.MakeUpper();
    return strStart.Find("<!DOCTYPE") >= 0;
}

} // namespace

BOOL ParseHtmlTables(const CString& strText, std::vector<CSourceTable>& tables, CString& strError)
{
    tables.clear();
    std::vector<xmlNode*> found;
    CDocPtr pDoc = ParseWholeDocument(strText, found, strError);
    if (!pDoc)
        return FALSE;
    if (found.empty())
    {
        strError = "the document holds no table";
        return FALSE;
    }
    for (size_t t = 0; t < found.size(); ++t)
    {
        CSourceTable table;
        table.m_strName = TableName(found[t], t);
        for (const CSourceTable& other : tables)
            if (other.m_strName.CompareNoCase(table.m_strName) == 0)
            {
                strError.Format("two tables are named %s", (LPCSTR)ShownName(table.m_strName));
                return FALSE;
            }
        if (!ReadTable(found[t], table, strError))
            return FALSE;
        tables.push_back(std::move(table));
    }
    return TRUE;
}

BOOL ReplaceHtmlTables(const CString& strDocument, const std::vector<CSourceTable>& tables, CString& strResult,
                       CString& strError)
{
    std::vector<xmlNode*> found;
    CDocPtr pDoc = ParseWholeDocument(strDocument, found, strError);
    if (!pDoc)
        return FALSE;
    for (const CSourceTable& table : tables)
    {
        xmlNode* pTable = NULL;
        for (size_t t = 0; t < found.size() && pTable == NULL; ++t)
            if (TableName(found[t], t).CompareNoCase(table.m_strName) == 0)
                pTable = found[t];
        if (pTable == NULL)
        {
            strError = "the document no longer holds the table " + ShownName(table.m_strName);
            return FALSE;
        }
        ReplaceRows(pTable, table);
    }
    // The parser supplies a document type the document may not have had.
    if (!HasDoctype(strDocument) && pDoc->intSubset != NULL)
    {
        xmlDtd* pDtd = pDoc->intSubset;
        xmlUnlinkNode(reinterpret_cast<xmlNode*>(pDtd));
        xmlFreeDtd(pDtd);
    }
    // Written in the encoding the document declares (a <meta charset> too,
    // which the library's own dump does not look at) or was read in.
    const char* lpszEncoding = (const char*)htmlGetMetaEncoding(pDoc.get());
    if (lpszEncoding == NULL)
        lpszEncoding = (const char*)pDoc->encoding;
    xmlOutputBuffer* pOut =
        xmlAllocOutputBuffer(lpszEncoding != NULL ? xmlFindCharEncodingHandler(lpszEncoding) : NULL);
    if (pOut == NULL)
    {
        strError = "the document cannot be written";
        return FALSE;
    }
    htmlDocContentDumpFormatOutput(pOut, pDoc.get(), lpszEncoding, 0);
    xmlOutputBufferFlush(pOut);
    // Without a write callback, encoded output stays in the conversion buffer.
    xmlBuf* pBuffer = pOut->encoder != NULL ? pOut->conv : pOut->buffer;
    strResult = CString((const char*)xmlBufContent(pBuffer), (int)xmlBufUse(pBuffer));
    BOOL bWritten = pOut->error == 0;
    xmlOutputBufferClose(pOut);
    if (!bWritten)
    {
        strError = "the document cannot be written in its encoding";
        return FALSE;
    }
    return TRUE;
}
