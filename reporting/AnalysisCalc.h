// CAnalysisCalc: the analysis formulas of an analysis report.  A header
// cell's formula ("@Organ#2") names one entry of one of the document's
// analysis lists and shows its code or name; a data cell's formula
// ("@Organ#1&Time#2&RowItem#3&ColItem#1", possibly with arithmetic) shows
// the sum of the matching values of ss_datalist.  Built on the stack for
// one pass; it also lays out a new analysis report from the lists.
#pragma once

#include "framework/core/String.h"

class CKemRecordset;
class CReportConnection;
class CScopedRecordset;
class CStringList;
class CTallyformDoc;

class CAnalysisCalc
{
public:
    CAnalysisCalc();
    ~CAnalysisCalc();
    CAnalysisCalc(const CAnalysisCalc&) = delete;
    CAnalysisCalc& operator=(const CAnalysisCalc&) = delete;

    // The label of one term (the text may go on after it: it is cut at the
    // first operator); the given text itself when the term names no entry.
    CString ResolveReferenceLabel(CString strTerm) const;
    // The SQL condition of one term into strCondition: "1=1" for a piece
    // without a keyword and number.  FALSE when the term names an entry
    // that its list does not hold, or a property value that is no number.
    BOOL BuildReferenceCondition(const CString& strTerm, CString& strCondition) const;
    // 1 when the text starts with a digit and holds only digits and ".";
    // else -1.
    static int IsNumberText(const CString& strText);
    // The sum of one data reference as "%.2f"; empty when a term is
    // invalid or the query failed (told; the pass then queries no more).
    CString QueryReferenceValue(const CString& strReference);
    // The index of the first cell whose name equals the text without
    // regard to case; -1 when none.
    int FindCellByName(const CString& strName) const;
    // New header labels after the analysis lists changed; data cells keep
    // their values.
    void RelabelAnalysisCells();
    // After the analysis lists changed: the labels and the sums from the
    // reporting database when it is open; else the labels, and the data
    // cells emptied, since their sums belong to the old headers.
    void RecomputeAfterChange();
    // Every analysis cell from the reporting database: labels and sums.
    // FALSE, changing nothing, without an open database (told).
    BOOL RefreshAnalysisCells();
    // Lays out the cross-tab of the document's dimension and analysis
    // lists; FALSE (told) when a side has no dimension or a dimension's
    // list is empty.
    BOOL GenerateAnalysisLayout();

    // The expression text of a data formula with every data reference
    // replaced by its sum; empty when a reference has no value.
    CString BuildDataExpression(const CString& strFormula);

    CTallyformDoc* m_pDoc;
    CKemRecordset* m_pRecordset;

private:
    const CStringList* ListOfKeyword(const CString& strPiece, BOOL bForCondition) const;
    void ReleaseRecordset();

    // Owns m_pRecordset while a pass holds one.
    CScopedRecordset* m_pQuery;
    BOOL m_bQueryFailed;
};

// The refusal of a layout with no dimension on one side.
extern const char kNoAnalysisDimension[];

// TRUE when the analysis formula is one of a header cell (no "&" after
// its first character).
BOOL IsAnalysisLabelFormula(const CString& strFormula);
// TRUE when the formula begins with "@".
BOOL IsAnalysisFormula(const CString& strFormula);
