// The designer's document: one open template (a sheet of free-standing
// cells) with its data, kept as a compound file whose "Contents" stream
// holds the template stream.  Views, dialogs and file operations reach the
// cells through its sheet.
#pragma once

#include "framework/core/Map.h"
#include "framework/ole/DispatchMap.h"
#include "framework/ole/OleServerDoc.h"
#include "sheet/FormulaText.h"
#include "sheet/Sheet.h"
#include "sheet/TemplateBuilder.h"

class CCmdUI;
class CDataFile;
class CReportConnection;
struct CReportWorksheetKeys;
struct CSourceTable;

// What the Data Gather dialog hands back for summing from the database.
struct CDataGatherChoice
{
    CString m_strSql;               // "Select * From ss_datalist ..."
    CString m_strReportDate;        // period code for the report-date cell, or empty
    CMapStringToString m_mapSingleOrg;  // code -> name; one entry when one was chosen
};
class CKemRecordset;

// What the Set Report Information dialog shows and gives back.
struct CReportInfo
{
    CReportInfo();

    LONG nReportType;
    CString strOrgCode;
    CString strOrgName;
    int nPeriodStyle;               // numeral style of the period text
    CString strPeriod;              // 13-character period code
    BOOL bApply;                    // put the values into the cells (the dialog sets it
                                    // when the user changed one of them)
};

// Filters of the data-file dialogs, by position (1-based, as the dialog
// reports the chosen one).
enum
{
    DATAFILTER_SAVE_TEMPORARY = 1,
    DATAFILTER_SAVE_SHARED = 2,
    DATAFILTER_OPEN_SHARED = 1,
    DATAFILTER_OPEN_TEMPORARY = 2
};

// The dispatch interface of the document's automation methods.
extern const IID IID_ITallyform;

class CTallyformDoc : public COleServerDoc
{
    DECLARE_DYNCREATE(CTallyformDoc)
public:
    CTallyformDoc();
    ~CTallyformDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    // Without a path, asks for folder and name (checked, asked again when
    // unusable) and before overwriting; the save goes through a temporary
    // file, so a failure leaves any old file as it was.  The editor writes
    // no template: it keeps a changed document's data in a data file.
    BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE) override;
    // Close and Exit: the designer asks about a changed template first;
    // then figures entered since the report data was last saved or loaded
    // are asked about, and Yes saves them to the database when one is open,
    // else to a data file.  The editor, which keeps no template, says a
    // changed one is lost.  FALSE keeps the document open.
    BOOL SaveModified() override;
    // Figures or keys of the report entered since its data was last saved
    // to the database or a data file, or loaded from one.
    BOOL IsDataModified() const { return m_bDataModified; }
    void SetDataModified(BOOL bModified) { m_bDataModified = bModified; }
    // A cell's value text was rewritten: in run mode a figure or key of
    // the report is data to save, anything else changes the template.
    void NoteValueChanged(int nCell);
    void DeleteContents() override;
    // The item a container embeds: a new CKemSrvrItem of this document.
    COleServerItem* OnGetEmbeddedItem() override;
    // The document for a container of documents: a new CDocObjectServer of
    // this document for the document site.
    CDocObjectServer* GetDocObjectServer(IOleDocumentSite* pDocSite) override;

    // New templates
    // File > New: the New Template sheet, then the Create Template wizard
    // or a copy of the template chosen; FALSE on Cancel.
    virtual BOOL RunNewDocumentWizard();
    // The Create Template wizard's result: header, then a text grid or the
    // default item template; marks modified and takes the template name
    // as the title.
    void CreateTemplateFromWizard(const CNewTemplateFields& fields);
    // Loads a template file into this new document without becoming that
    // file's document (a later Save asks for a name).
    BOOL LoadTemplateFile(LPCSTR lpszPathName);

    // Cell types
    void SetCellType(int nType);
    void UpdateCellTypeUI(CCmdUI* pCmdUI, int nType);
    // 1 when there is at most one organization-name, organization-code and
    // report-date cell (always for an analysis sheet); else shows the first
    // failing rule and returns 0.
    int CheckKeyCells();
    // Prefills the Set Report Information dialog from the key cells and,
    // on OK with the apply choice, fills the cells.  1 on OK, 0 on Cancel.
    int AskReportInformation();

    // Formula text helpers used by the formula evaluation
    void ReplaceCellNameInFormula(int nCell, LPCSTR pszReplacement, CString& strFormula);
    int ListFormulaOperands(CString& strOut, int nCell, BOOL bUseText, LPCSTR pszText);

    // Formulas, recalculation and data checks over the sheet's cells by
    // index (TallyformDocFormulas.cpp; the work is in sheet/Formula*.h,
    // sheet/BalanceFormula.h and sheet/CellDataCheck.h).
    BOOL EvaluateFormula(int nCell, double& dResult, BOOL bUseText = FALSE, LPCSTR pszText = NULL);
    int GetCellValueByName(LPCSTR pszName, double& dValue);
    BOOL IsFormulaOperand(int nCell, int nFormulaCell);
    int AreFormulaOperandsFilled(int nFormulaCell);
    void AdjustFormulaRefCounts(int nFormulaCell, BOOL bAdd);
    // Every calculate cell; the callers update the views.
    void RecalculateAll();
    // The calculate cells that depend on one changed cell, then the views.
    void RecalculateDependents(int nChanged);
    int ValidateCellData(const CCell& cell);
    int NextFormulaToken(const CString& strText, int nStart, int& nNext, int nExclude);
    int CheckFormulaSyntax(LPCSTR pszFormula, int nExclude, int& nErrorStart, int& nErrorEnd);
    int CheckBalanceFormula(LPCSTR pszFormula, int& nErrorStart, int& nErrorEnd);
    POSITION VerifyData();
    void CountBalanceFormulaRefs();
    // The cell's row item and column item names from the database joined
    // by "&" when it has both codes and they can be read; else its name.
    CString GetRowItemName(int nCell);
    // Rewrites the formula with every cell name told by GetRowItemName.
    void ResolveFormulaOperands(CString& strFormula);

    // Automation methods (each TRUE when the sheet changed)
    BOOL DeleteColumn();
    BOOL AddColumn();
    BOOL AddRow();
    BOOL DeleteRow();
    BOOL MergeUnit();
    BOOL SplitUnit();

    // Data files
    // Writes the sheet's data to a data file of the given kind; a shared
    // file first asks for the report information.  FALSE on Cancel or
    // failure (reported); an existing file is replaced only on success.
    BOOL SaveDataFile(LPCSTR lpszPathName, WORD wKind);
    // Loads a data file into the sheet once it was read whole, has the
    // kind asked for (or the user accepts the other one) and belongs to
    // this template; otherwise the sheet is left as it was.
    BOOL LoadDataFile(LPCSTR lpszPathName, WORD wKind);
    // Adds the figures of one shared data file; a file that cannot be read
    // is reported and skipped (FALSE).
    BOOL SumDataFiles(LPCSTR lpszPathName);

    // Excel workbooks (TallyformDocWorkbook.cpp)
    // Writes the report as the one worksheet of an Excel 97 workbook; an
    // existing file is replaced only on success.  FALSE on failure
    // (reported); the report does not change.
    BOOL ExportToWorkbook(LPCSTR lpszPathName);
    // Takes the period, the organization and the figures of a workbook
    // that Export to Excel wrote of this template, each figure through the
    // checks of typed input and of the save, then recalculates and marks
    // the report modified; the figures refused are left empty, counted in
    // nRefused and listed in one message.  A workbook that cannot be read,
    // is of another template, is laid out otherwise or names a period or
    // organization that is refused is reported and changes nothing (FALSE).
    BOOL ImportFromWorkbook(LPCSTR lpszPathName, int& nRefused);

    // Report data in the reporting database (TallyformDocDatabase.cpp,
    // TallyformDocKeyCells.cpp)
    // TRUE when the report was saved (also when only its log failed).
    BOOL SaveDataToDatabase();
    // The text in the main window's status bar.
    void ShowStatusText(const CString& strText);
    // bInteractive FALSE (a key cell was edited in the view) keeps the
    // key-cell messages back.
    void LoadDataFromDatabase(BOOL bInteractive);
    // 1 when the key cells name a known organization and every cell's
    // input is acceptable; else 0 after the first complaint.
    int ValidateKeyCells();
    // The field of the first row of "Select field From table Where where";
    // empty when there is none or the query fails (reported).
    CString SelectSingleValue(LPCSTR pszTable, LPCSTR pszField, LPCSTR pszWhere);

    // Fill-in log ss_reportlog (TallyformDocReportLog.cpp): 1 logged, 0
    // not, -1 without a database or on a failed query.
    int IsReportLogged(LPCSTR pszOrgCode, LPCSTR pszPeriodCode);
    // 1 one run covers the range, 2 one end lies in a run, 0 neither, -1.
    int CheckReportLogRange(LPCSTR pszOrgCode, LPCSTR pszStartCode, LPCSTR pszEndCode);
    CString GetFirstReportLogStart();
    // Records the key cells' period as filled in: 1 recorded (or already
    // there), 0 not (the log is then as it was).
    int RecordReportLog();
    // The organization code and period the key cells name for the log;
    // FALSE when the template, the organization or the period is not known.
    BOOL GetFilledInKeys(CString& strOrgCode, CString& strPeriod);
    // The same for a database of data-source type 10, over one recordset.
    int SaveReportLog();

    // Batch import of shared data files (TallyformDocBatchImport.cpp): 1
    // when the file was saved to the database and logged.
    int ImportDataFile(LPCSTR lpszPathName);

    // Sums of the stored values over a Data Gather selection into the
    // numeric cells (TallyformDocSumDatabase.cpp).
    void SumDataFromDatabase(const CDataGatherChoice& choice);

    // The reporting database this document works with, for the reporting
    // dialogs and the analysis.
    CReportConnection& ReportConnection() { return GetConnection(); }

    // Analysis reports (TallyformDocAnalysis.cpp)
    // The header from the analysis wizard's information step (kind 2), then
    // the cross-tab of its lists; FALSE when the layout was refused.
    BOOL CreateAnalysisReport(const CNewTemplateFields& fields);
    // An analysis report computes its cells from the database: it has no
    // figures of its own to save, load, sum or import.
    BOOL IsAnalysisReport() const;

    // Run-mode data entry (TallyformDocEntry.cpp)
    // The application's organizations recordset, or NULL when there is
    // none; the application supplies it.
    virtual CKemRecordset* GetOrganRecordset() const;
    // TRUE when that recordset exists and is open.
    BOOL IsOrganRecordsetOpen() const;
    // Propagates an edited key cell: a report date into every numeric
    // cell, an organization code or name (looked up in the organizations
    // when they are open) into the other key cell and every numeric cell.
    // 1 when propagated, 0 when the organization was not found or the
    // lookup failed (reported).
    int FindOrganization(CCell* pCell);
    // Tells that the organization's code cannot be a key and takes the
    // organization off the report; 0.
    int RefuseUnshownCode(const CString& strCode);
    // TRUE when the numeric cells' organization codes are keys this system
    // can use; otherwise told, FALSE.
    BOOL HasUsableOrgCodes();
    // Stores text typed into cell nCell in run mode: a report date as its
    // period code (cut to 13 characters), an organization code cut to its
    // field, any other cell as value text; then the key cells are
    // propagated and the formulas that use the cell recomputed, also when
    // the text became empty.  FALSE, changing nothing, when nCell is not a
    // cell of the sheet.
    BOOL StoreEnteredText(int nCell, const CString& strText);
    // A label typed in place in design mode: when it differs from the
    // cell's text, a Cell Define undo record of the cell is taken, the text
    // stored, the template marked modified and the views updated.  FALSE
    // when nothing changed or nCell is not a cell of the sheet.
    BOOL StoreLabelText(int nCell, const CString& strText);
    // Reloads the report data for changed key cells from the database,
    // without messages; FALSE when nothing was loaded.
    BOOL ReloadReportData();

    CSheet m_sheet;

protected:
    // Prompts, replaceable so that tests answer them.
    virtual BOOL RunReportInfoDialog(CReportInfo& info);
    // Folder (ending in "\") and name of a template to save.
    virtual BOOL RunSaveTemplateDialog(const CString& strProposed, CString& strFolder,
                                       CString& strName);
    // A data file to save (bOpen FALSE) or load, and the chosen filter.
    virtual BOOL PromptDataFileName(BOOL bOpen, CString& strPath, int& nFilterIndex);
    // The shared data files to sum or import, in order.
    virtual BOOL RunSumFilesDialog(LPCSTR pszCaption, CStringList& paths);
    // The selection of organizations and periods to sum over.
    virtual BOOL RunDataGatherDialog(CDataGatherChoice& choice);
    // The reporting database this document works with.
    virtual CReportConnection& GetConnection();
    // Closes the in-place editor of the first view when bClose; FALSE when
    // the document has no view.
    virtual BOOL CloseCellEditor(BOOL bClose);
    // Shows a numeric cell whose input was refused, ready for correction,
    // in the active view of this document.
    void EditRejectedCell(int nCell);
    // A PDF file to write the sheet to (File > Save to PDF).
    virtual BOOL PromptPdfFileName(CString& strPath);
    // An Excel workbook to write the report to (bOpen FALSE) or to import.
    virtual BOOL PromptWorkbookFileName(BOOL bOpen, CString& strPath);
    // Widths of item texts in the main window's font.
    virtual int MeasureItemText(LPCSTR pszText);
    // The Find Item dialog over nTable (1 row items, 2 column items) from
    // "%"; FALSE unless an item was chosen.
    virtual BOOL RunFindItemDialog(int nTable, CString& strCode);

    void OnSaveDataToFile() { SaveDataToChosenFile(); }
    // Asks for a data file and saves the report data to it; FALSE when the
    // sheet has no cell, the user cancelled or the save failed.
    BOOL SaveDataToChosenFile();
    // The editor's File > Send Mail: shown disabled, it has no handler.
    void OnUpdateSendMail(CCmdUI* pCmdUI);
    void OnLoadDataFromFile();
    void OnSumDataFromFiles();
    void OnTableVerify();
    void OnSaveDataToDatabase() { SaveDataToDatabase(); }
    void OnLoadDataFromDatabase() { LoadDataFromDatabase(TRUE); }
    // Saving, loading, summing and importing report data: run mode, an
    // open database and a report that is not an analysis.
    void OnUpdateDatabaseData(CCmdUI* pCmdUI);
    void OnBatchImport();
    void OnSumDataFromDatabases();
    void OnAnalysis();
    // The Analysis commands work on an analysis report only.
    void OnUpdateAnalysis(CCmdUI* pCmdUI);
    void OnAnalysisChangeOrgans() { RunChangeAnalysis(489); }
    void OnAnalysisChangeProperties() { RunChangeAnalysis(488); }
    void OnAnalysisChangeTimes() { RunChangeAnalysis(490); }
    void OnAnalysisChangeRowItems() { RunChangeAnalysis(316); }
    void OnAnalysisChangeColItems() { RunChangeAnalysis(317); }
    void OnUpdateAnalysisChange(CCmdUI* pCmdUI);
    // The editor's Data > Export to Excel and Import from Excel.
    void OnExportToExcel();
    void OnImportFromExcel();
    void OnUpdateWorkbookExchange(CCmdUI* pCmdUI);
    // Writes the sheet as a one-page PDF file; a name without the
    // extension "pdf" gets ".pdf" appended.
    void OnSaveToPdf();
    void OnCellText() { SetCellType(CELL_TEXT); }
    void OnCellOrgan() { SetCellType(CELL_ORGAN); }
    void OnCellOrganCode() { SetCellType(CELL_ORGANCODE); }
    void OnCellDatetime() { SetCellType(CELL_REPORTDATE); }
    void OnCellNumeric() { SetCellType(CELL_NUMERIC); }
    void OnCellCalculate() { SetCellType(CELL_FORMULA); }
    void OnCellPicture() { SetCellType(CELL_PICTURE); }
    void OnUpdateCellText(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_TEXT); }
    void OnUpdateCellOrgan(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_ORGAN); }
    void OnUpdateCellOrganCode(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_ORGANCODE); }
    void OnUpdateCellDatetime(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_REPORTDATE); }
    void OnUpdateCellNumeric(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_NUMERIC); }
    void OnUpdateCellCalculate(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_FORMULA); }
    void OnUpdateCellPicture(CCmdUI* pCmdUI) { UpdateCellTypeUI(pCmdUI, CELL_PICTURE); }
    // Cell > Item Setup and Item Column Setup: the selected numeric cells'
    // row or column item through Find Item.
    void OnCellItemSetup() { SetSelectedItemCodes(1); }
    void OnCellColItemSetup() { SetSelectedItemCodes(2); }
    void OnUpdateCellItemSetup(CCmdUI* pCmdUI);
    void OnUpdateCellColItemSetup(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()

private:
    // TRUE when a database is open, the item list of nTable is open and
    // the selection holds numeric cells only.
    BOOL CanSetItemCodes(int nTable);
    void SetSelectedItemCodes(int nTable);
    // What the automation methods do after a successful table operation.
    BOOL AfterTableOperation(BOOL bChanged, BOOL bRecomputeBounds, BOOL bSelectFirst);
    // The report-information values from the key cells.
    CReportInfo ReportInfoFromSheet() const;
    // Reads a data file whole; FALSE (reported) when it cannot be opened
    // or read.
    BOOL ReadDataFile(LPCSTR lpszPathName, CDataFile& data, LPCSTR pszOpenFailure,
                      LPCSTR pszBadFormat);
    // FALSE (told) when a read data file's period is not one of this
    // template's, or when it would change item codes and the user says no.
    BOOL AcceptDataFileKeys(LPCSTR lpszPathName, const CDataFile& data);
    CString DefaultExtension() const;
    // TRUE when typed input takes the organization of that field value.
    BOOL IsKnownOrganization(LPCSTR pszField, const CString& strValue);
    // Lists the worksheet's keys that typed input would refuse.
    void CheckWorksheetKeys(const CReportWorksheetKeys& keys, CStringArray& refusals);
    void ImportWorksheetKeys(const CReportWorksheetKeys& keys);
    // Takes the worksheet's figures; the cells it left empty go to emptied.
    void ImportWorksheetFigures(const CSourceTable& table, CStringArray& refusals, CUIntArray& emptied);
    // The fill-in log rows of this template and report type for the
    // organization, with an extra condition.
    CString ReportLogQuery(LPCSTR pszColumns, LPCSTR pszOrgCode, LPCSTR pszCondition) const;
    // The run covering, before and after a period, and their merge.
    int MergeReportLog(const CString& strOrgCode, const CString& strPeriod, BOOL bOneRecordset);
    // Clears the data of the sheet after asking when it holds any; FALSE
    // when the user keeps it.
    BOOL AskClearData();
    // One analysis list edited again in the change-parameters dialog
    // showing the step of dialog resource nPage.
    void RunChangeAnalysis(int nPage);
    // The close question about data entered since the last save; a changed
    // template that cannot be kept is named in it.
    BOOL AskToSaveData(BOOL bTemplateLost);

    BOOL m_bDataModified;
};
