#include "sheet/document/TallyformDoc.h"

#include "sheet/FormulaRecalc.h"
#include "sheet/document/KemSrvrItem.h"

#include "framework/core/Archive.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/StandardCommands.h"
#include "framework/ole/DocObjectServer.h"
#include "framework/ole/OleLock.h"
#include "framework/windows/CmdUI.h"
#include "sheet/TemplateStream.h"
#include "sheet/UndoAction.h"
#include "DocumentIds.h"
#include "SheetViewIds.h"

IMPLEMENT_DYNCREATE(CTallyformDoc, COleServerDoc)

BEGIN_MESSAGE_MAP(CTallyformDoc, COleServerDoc)
    ON_COMMAND(ID_FILE_SAVE_DATA_TO_FILE, OnSaveDataToFile)
    ON_COMMAND(ID_FILE_LOAD_DATA_FROM_FILE, OnLoadDataFromFile)
    ON_COMMAND(ID_DATA_SUM_FROM_FILES, OnSumDataFromFiles)
    ON_COMMAND(ID_FILE_SAVE_DATA_TO_DATABASE, OnSaveDataToDatabase)
    ON_COMMAND(ID_FILE_LOAD_DATA_FROM_DATABASE, OnLoadDataFromDatabase)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_DATA_TO_DATABASE, OnUpdateDatabaseData)
    ON_UPDATE_COMMAND_UI(ID_FILE_LOAD_DATA_FROM_DATABASE, OnUpdateDatabaseData)
    ON_COMMAND(ID_DATA_BATCH_IMPORT, OnBatchImport)
    ON_UPDATE_COMMAND_UI(ID_DATA_BATCH_IMPORT, OnUpdateDatabaseData)
    ON_COMMAND(ID_DATA_SUM_FROM_DATABASES, OnSumDataFromDatabases)
    ON_UPDATE_COMMAND_UI(ID_DATA_SUM_FROM_DATABASES, OnUpdateDatabaseData)
#ifdef EDITOR_BUILD
    ON_COMMAND(ID_EDITOR_ANALYSIS, OnAnalysis)
    ON_UPDATE_COMMAND_UI(ID_EDITOR_ANALYSIS, OnUpdateAnalysis)
    ON_COMMAND(ID_EDITOR_ANALYSIS_CHANGE_ORGANS, OnAnalysisChangeOrgans)
    ON_COMMAND(ID_EDITOR_ANALYSIS_CHANGE_PROPERTIES, OnAnalysisChangeProperties)
    ON_COMMAND(ID_EDITOR_ANALYSIS_CHANGE_TIMES, OnAnalysisChangeTimes)
    ON_COMMAND(ID_EDITOR_ANALYSIS_CHANGE_ROW_ITEMS, OnAnalysisChangeRowItems)
    ON_COMMAND(ID_EDITOR_ANALYSIS_CHANGE_COL_ITEMS, OnAnalysisChangeColItems)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EDITOR_ANALYSIS_CHANGE_ORGANS, ID_EDITOR_ANALYSIS_CHANGE_COL_ITEMS,
                               OnUpdateAnalysisChange)
#else
    ON_COMMAND(ID_ANALYSIS, OnAnalysis)
    ON_UPDATE_COMMAND_UI(ID_ANALYSIS, OnUpdateAnalysis)
    ON_COMMAND(ID_ANALYSIS_CHANGE_ORGANS, OnAnalysisChangeOrgans)
    ON_COMMAND(ID_ANALYSIS_CHANGE_PROPERTIES, OnAnalysisChangeProperties)
    ON_COMMAND(ID_ANALYSIS_CHANGE_TIMES, OnAnalysisChangeTimes)
    ON_COMMAND(ID_ANALYSIS_CHANGE_ROW_ITEMS, OnAnalysisChangeRowItems)
    ON_COMMAND(ID_ANALYSIS_CHANGE_COL_ITEMS, OnAnalysisChangeColItems)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ANALYSIS_CHANGE_ORGANS, ID_ANALYSIS_CHANGE_COL_ITEMS, OnUpdateAnalysisChange)
#endif
    ON_COMMAND(ID_FILE_SAVE_TO_PDF, OnSaveToPdf)
#ifdef EDITOR_BUILD
    ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, OnUpdateSendMail)
    ON_COMMAND(ID_DATA_IMPORT_EXCEL, OnImportFromExcel)
    ON_COMMAND(ID_DATA_EXPORT_EXCEL, OnExportToExcel)
    ON_UPDATE_COMMAND_UI(ID_DATA_IMPORT_EXCEL, OnUpdateWorkbookExchange)
    ON_UPDATE_COMMAND_UI(ID_DATA_EXPORT_EXCEL, OnUpdateWorkbookExchange)
#else
    ON_COMMAND(ID_TABLE_VERIFY, OnTableVerify)
    ON_COMMAND(ID_CELL_TEXT, OnCellText)
    ON_COMMAND(ID_CELL_ORGAN, OnCellOrgan)
    ON_COMMAND(ID_CELL_ORGANCODE, OnCellOrganCode)
    ON_COMMAND(ID_CELL_DATETIME, OnCellDatetime)
    ON_COMMAND(ID_CELL_NUMERIC, OnCellNumeric)
    ON_COMMAND(ID_CELL_CALCULATE, OnCellCalculate)
    ON_COMMAND(ID_CELL_PICTURE, OnCellPicture)
    ON_UPDATE_COMMAND_UI(ID_CELL_TEXT, OnUpdateCellText)
    ON_UPDATE_COMMAND_UI(ID_CELL_ORGAN, OnUpdateCellOrgan)
    ON_UPDATE_COMMAND_UI(ID_CELL_ORGANCODE, OnUpdateCellOrganCode)
    ON_UPDATE_COMMAND_UI(ID_CELL_DATETIME, OnUpdateCellDatetime)
    ON_UPDATE_COMMAND_UI(ID_CELL_NUMERIC, OnUpdateCellNumeric)
    ON_UPDATE_COMMAND_UI(ID_CELL_CALCULATE, OnUpdateCellCalculate)
    ON_UPDATE_COMMAND_UI(ID_CELL_PICTURE, OnUpdateCellPicture)
    ON_COMMAND(ID_SETUP_ROW_ITEM, OnCellItemSetup)
    ON_COMMAND(ID_SETUP_COLUMN_ITEM, OnCellColItemSetup)
    ON_UPDATE_COMMAND_UI(ID_SETUP_ROW_ITEM, OnUpdateCellItemSetup)
    ON_UPDATE_COMMAND_UI(ID_SETUP_COLUMN_ITEM, OnUpdateCellColItemSetup)
#endif
END_MESSAGE_MAP()

// {76D784D8-6C85-4B61-A5C7-58E0BE37A94B}
const IID IID_ITallyform = { 0x76d784d8, 0x6c85, 0x4b61,
                             { 0xa5, 0xc7, 0x58, 0xe0, 0xbe, 0x37, 0xa9, 0x4b } };

// The automation methods in their dispatch order.
BEGIN_DISPATCH_MAP(CTallyformDoc, COleServerDoc)
    DISP_FUNCTION(CTallyformDoc, "DeleteColumn", DeleteColumn, VT_BOOL, VTS_NONE)
    DISP_FUNCTION(CTallyformDoc, "AddColumn", AddColumn, VT_BOOL, VTS_NONE)
    DISP_FUNCTION(CTallyformDoc, "AddRow", AddRow, VT_BOOL, VTS_NONE)
    DISP_FUNCTION(CTallyformDoc, "DeleteRow", DeleteRow, VT_BOOL, VTS_NONE)
    DISP_FUNCTION(CTallyformDoc, "MergeUnit", MergeUnit, VT_BOOL, VTS_NONE)
    DISP_FUNCTION(CTallyformDoc, "SplitUnit", SplitUnit, VT_BOOL, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CTallyformDoc, COleServerDoc)
    INTERFACE_PART(CTallyformDoc, IID_ITallyform, Dispatch)
END_INTERFACE_MAP()

namespace
{

void ShowReadTemplateError()
{
    CString str;
    if (!str.LoadString(IDS_READ_TEMPLATE_ERROR) || str.IsEmpty())
        str = "Read Template File Error";
    AfxMessageBox(str);
}

// The first cell of a type, or NULL.
const CCell* FirstOfType(const CSheet& sheet, int nType)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        if (sheet.m_cells[i].m_nType == nType)
            return &sheet.m_cells[i];
    return NULL;
}

} // namespace

CReportInfo::CReportInfo() : nReportType(0), nPeriodStyle(1), bApply(FALSE)
{
}

CTallyformDoc::CTallyformDoc() : m_bDataModified(FALSE)
{
    EnableCompoundFile();
    EnableAutomation();
    AfxOleLockApp();
#ifdef EDITOR_BUILD
    // The editor's templates are forms to fill in, never designed.
    m_sheet.m_bDesignMode = FALSE;
#endif
}

CTallyformDoc::~CTallyformDoc()
{
    AfxOleUnlockApp();
}

void CTallyformDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
#ifdef EDITOR_BUILD
        // The editor has no template writer.
        AfxThrowNotSupportedException();
#else
        WriteTemplateStream(ar, m_sheet);
        return;
#endif
    }
    // The stream is read whole before the sheet changes; every fault of it
    // is the one template message, and the open fails.
    try
    {
        ReadTemplateStream(ar, m_sheet);
    }
    catch (CException* e)
    {
        e->Delete();
        ShowReadTemplateError();
        AfxThrowUserException();
    }
#ifdef EDITOR_BUILD
    // The editor opens a template with no cell selected.
    m_sheet.m_arrSel.RemoveAll();
    m_sheet.m_nCurCell = -1;
#endif
}

BOOL CTallyformDoc::IsModified()
{
    return m_bModified;
}

void CTallyformDoc::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

COleServerItem* CTallyformDoc::OnGetEmbeddedItem()
{
    return new CKemSrvrItem(this);
}

CDocObjectServer* CTallyformDoc::GetDocObjectServer(IOleDocumentSite* pDocSite)
{
    return new CDocObjectServer(this, pDocSite);
}

BOOL CTallyformDoc::OnNewDocument()
{
    if (!COleServerDoc::OnNewDocument())
        return FALSE;
#ifdef EDITOR_BUILD
    // The editor has no new-template wizard: a new document has no cell.
    return TRUE;
#else
    // A document made for an OLE client starts empty, without asking.
    if (IsServedToClient())
        return TRUE;
    return RunNewDocumentWizard() != FALSE;
#endif
}

#ifdef EDITOR_BUILD
void CTallyformDoc::OnUpdateSendMail(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}
#endif

BOOL CTallyformDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    return COleServerDoc::OnOpenDocument(lpszPathName) != FALSE;
}

void CTallyformDoc::DeleteContents()
{
    m_bDataModified = FALSE;
    m_sheet.DeleteAllUndoActions();
    m_sheet.RemoveAllCells();
    m_sheet.m_cellsAux.RemoveAll();
}

BOOL CTallyformDoc::LoadTemplateFile(LPCSTR lpszPathName)
{
    try
    {
        LoadFromFile(lpszPathName);
    }
    catch (CException* e)
    {
        ReportSaveLoadException(lpszPathName, e, FALSE);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(TRUE);
    return TRUE;
}

// ------------------------------------------------------------ cell types

void CTallyformDoc::SetCellType(int nType)
{
    if (m_sheet.m_arrSel.GetSize() == 0)
        return;
    // Checked first: a refused change leaves the undo list and its redo
    // tail as they were.
    for (INT_PTR n = 0; n < m_sheet.m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = m_sheet.GetSelectedCell((int)n);
        if (pCell == NULL)
            continue;
        BOOL bRefused = nType == CELL_NUMERIC ? pCell->m_nBalanceRefs > 0
                      : nType == CELL_FORMULA ? pCell->m_nFormulaRefs > 0
                      : pCell->m_nBalanceRefs > 0 || pCell->m_nFormulaRefs > 0;
        if (bRefused)
        {
            AfxMessageBox("Cell is refer to formula,cannot change it's type.");
            return;
        }
    }

    // The operands of a formula given up are recorded too, so that Undo
    // gives their reference counters back.
    CCellDefineAction* pAction = new CCellDefineAction;
    pAction->m_arrIndices.Copy(m_sheet.m_arrSel);
    CollectOperandsOfFormulasGivenUp(m_sheet, m_sheet.m_arrSel, nType, pAction->m_arrIndices);
    pAction->RecordBefore(&m_sheet);
    // The content of the old type does not fit the new one (a picture's
    // blocks, a numeric cell's codes): each changed cell starts afresh.
    for (INT_PTR n = 0; n < m_sheet.m_arrSel.GetSize(); ++n)
        ChangeCellType(m_sheet, (int)m_sheet.m_arrSel[n], nType);
    pAction->RecordAfter();
    m_sheet.AddUndoAction(pAction);
    SetModifiedFlag(TRUE);
    UpdateAllViews(NULL);
}

void CTallyformDoc::UpdateCellTypeUI(CCmdUI* pCmdUI, int nType)
{
    const CCell* pFirst = m_sheet.GetSelectedCell(0);
    if (pFirst == NULL)
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
        return;
    }
    pCmdUI->Enable(TRUE);
    BOOL bAll = pFirst->m_nType == nType;
    for (INT_PTR n = 1; bAll && n < m_sheet.m_arrSel.GetSize(); ++n)
    {
        const CCell* pCell = m_sheet.GetSelectedCell((int)n);
        bAll = pCell != NULL && pCell->m_nType == nType;
    }
    pCmdUI->SetCheck(bAll ? 1 : 0);
}

int CTallyformDoc::CheckKeyCells()
{
    if (m_sheet.m_nKind != 0)
        return 1;
    int nOrgan = 0, nOrganCode = 0, nDate = 0;
    for (INT_PTR i = 0; i < m_sheet.m_cells.GetSize(); ++i)
    {
        switch (m_sheet.m_cells[i].m_nType)
        {
        case CELL_ORGAN: ++nOrgan; break;
        case CELL_ORGANCODE: ++nOrganCode; break;
        case CELL_REPORTDATE: ++nDate; break;
        default: break;
        }
    }
    LPCSTR pszProblem = nOrgan > 1 ? "More than one Organ Name cells found."
                      : nOrganCode > 1 ? "More than one Organ Code cells found."
                      : nDate > 1 ? "More than one Report Date cells found."
                      : NULL;
    if (pszProblem == NULL)
        return 1;
    AfxMessageBox(pszProblem);
    return 0;
}

void CTallyformDoc::OnTableVerify()
{
    if (CheckKeyCells() == 1)
        AfxMessageBox("The template is valid!");
}

CReportInfo CTallyformDoc::ReportInfoFromSheet() const
{
    CReportInfo info;
    info.nReportType = m_sheet.m_nReportType;
    if (const CCell* pCode = FirstOfType(m_sheet, CELL_ORGANCODE))
        info.strOrgCode = pCode->m_strValue;
    if (const CCell* pName = FirstOfType(m_sheet, CELL_ORGAN))
        info.strOrgName = pName->m_strValue;
    if (const CCell* pDate = FirstOfType(m_sheet, CELL_REPORTDATE))
        info.strPeriod = CString(pDate->m_szDateCode, (int)strnlen(pDate->m_szDateCode,
                                                                     CELL_PERIOD_LEN));
    info.nPeriodStyle = 1;
    return info;
}

int CTallyformDoc::AskReportInformation()
{
    CReportInfo info = ReportInfoFromSheet();
    if (!RunReportInfoDialog(info))
        return 0;
    if (!info.bApply)
        return 1;
    for (INT_PTR i = 0; i < m_sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = m_sheet.m_cells[i];
        switch (cell.m_nType)
        {
        case CELL_NUMERIC:
            CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), info.strOrgCode);
            CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), info.strPeriod);
            break;
        case CELL_ORGAN:
            cell.m_strValue = info.strOrgName;
            break;
        case CELL_ORGANCODE:
            cell.m_strValue = info.strOrgCode;
            break;
        case CELL_REPORTDATE:
            CopyCode(cell.m_szDateCode, sizeof(cell.m_szDateCode), info.strPeriod);
            break;
        default:
            break;
        }
    }
    UpdateAllViews(NULL);
    return 1;
}

// ------------------------------------------------------ automation methods

BOOL CTallyformDoc::AfterTableOperation(BOOL bChanged, BOOL bRecomputeBounds, BOOL bSelectFirst)
{
    if (!bChanged)
        return FALSE;
    m_sheet.m_arrSel.RemoveAll();
    SetModifiedFlag(TRUE);
    m_sheet.SortCells();
    if (bRecomputeBounds)
        m_sheet.UpdateBoundingRect();
    // Cell 0 becomes the current and only selected cell, when one is left.
    if (bSelectFirst && m_sheet.m_cells.GetSize() > 0)
    {
        m_sheet.m_arrSel.Add(0);
        m_sheet.m_nCurCell = 0;
    }
    m_sheet.ValidateSelection();
    UpdateAllViews(NULL);
    return TRUE;
}

BOOL CTallyformDoc::DeleteColumn()
{
    return AfterTableOperation(m_sheet.DeleteColumns(-1, -1, TRUE), TRUE, FALSE);
}

BOOL CTallyformDoc::AddColumn()
{
    return AfterTableOperation(m_sheet.AddColumn(-1, -1, TRUE), TRUE, FALSE);
}

BOOL CTallyformDoc::AddRow()
{
    return AfterTableOperation(m_sheet.AddRow(-1, -1, TRUE), TRUE, FALSE);
}

BOOL CTallyformDoc::DeleteRow()
{
    return AfterTableOperation(m_sheet.DeleteRow(-1, -1, TRUE), TRUE, TRUE);
}

BOOL CTallyformDoc::MergeUnit()
{
    return AfterTableOperation(m_sheet.MergeCells(-1, -1, TRUE), FALSE, FALSE);
}

BOOL CTallyformDoc::SplitUnit()
{
    return AfterTableOperation(m_sheet.SplitCell(-1, -1, 3, 5, TRUE, TRUE), FALSE, FALSE);
}
