// Receives the cells of the first worksheet that libwps reads from a file
// and keeps their values in a cell grid; everything else the library tells
// (styles, charts, page layout) is let go.
#pragma once

#include <librevenge/librevenge.h>

#include <string>

#include "engines/dao/spreadsheet/SheetCellGrid.h"

class CLotusCellCollector : public librevenge::RVNGSpreadsheetInterface
{
public:
    explicit CLotusCellCollector(CSheetCellGrid& grid) : m_grid(grid) {}

    // FALSE when a cell lay beyond any sheet (the file is damaged).
    bool AllCellsKept() const { return m_bAllKept; }

    void openSheet(const librevenge::RVNGPropertyList& propList) override;
    void closeSheet() override;
    void openSheetCell(const librevenge::RVNGPropertyList& propList) override;
    void closeSheetCell() override;
    void insertTab() override { AppendText("\t"); }
    void insertSpace() override { AppendText(" "); }
    void insertText(const librevenge::RVNGString& text) override { AppendText(text.cstr()); }
    void insertLineBreak() override { AppendText("\n"); }

    // The rest of the interface, not needed for cell values.
    void setDocumentMetaData(const librevenge::RVNGPropertyList&) override {}
    void startDocument(const librevenge::RVNGPropertyList&) override {}
    void endDocument() override {}
    void definePageStyle(const librevenge::RVNGPropertyList&) override {}
    void defineEmbeddedFont(const librevenge::RVNGPropertyList&) override {}
    void openPageSpan(const librevenge::RVNGPropertyList&) override {}
    void closePageSpan() override {}
    void openHeader(const librevenge::RVNGPropertyList&) override {}
    void closeHeader() override {}
    void openFooter(const librevenge::RVNGPropertyList&) override {}
    void closeFooter() override {}
    void defineSheetNumberingStyle(const librevenge::RVNGPropertyList&) override {}
    void openSheetRow(const librevenge::RVNGPropertyList&) override {}
    void closeSheetRow() override {}
    void defineChartStyle(const librevenge::RVNGPropertyList&) override {}
    void openChart(const librevenge::RVNGPropertyList&) override {}
    void closeChart() override {}
    void openChartTextObject(const librevenge::RVNGPropertyList&) override {}
    void closeChartTextObject() override {}
    void openChartPlotArea(const librevenge::RVNGPropertyList&) override {}
    void closeChartPlotArea() override {}
    void insertChartAxis(const librevenge::RVNGPropertyList&) override {}
    void openChartSerie(const librevenge::RVNGPropertyList&) override {}
    void closeChartSerie() override {}
    void defineParagraphStyle(const librevenge::RVNGPropertyList&) override {}
    void openParagraph(const librevenge::RVNGPropertyList&) override {}
    void closeParagraph() override {}
    void defineCharacterStyle(const librevenge::RVNGPropertyList&) override {}
    void openSpan(const librevenge::RVNGPropertyList&) override {}
    void closeSpan() override {}
    void openLink(const librevenge::RVNGPropertyList&) override {}
    void closeLink() override {}
    void defineSectionStyle(const librevenge::RVNGPropertyList&) override {}
    void openSection(const librevenge::RVNGPropertyList&) override {}
    void closeSection() override {}
    void insertField(const librevenge::RVNGPropertyList&) override {}
    void openOrderedListLevel(const librevenge::RVNGPropertyList&) override {}
    void openUnorderedListLevel(const librevenge::RVNGPropertyList&) override {}
    void closeOrderedListLevel() override {}
    void closeUnorderedListLevel() override {}
    void openListElement(const librevenge::RVNGPropertyList&) override {}
    void closeListElement() override {}
    void openFootnote(const librevenge::RVNGPropertyList&) override {}
    void closeFootnote() override {}
    void openComment(const librevenge::RVNGPropertyList&) override {}
    void closeComment() override {}
    void openFrame(const librevenge::RVNGPropertyList&) override {}
    void closeFrame() override {}
    void insertBinaryObject(const librevenge::RVNGPropertyList&) override {}
    void openTextBox(const librevenge::RVNGPropertyList&) override {}
    void closeTextBox() override {}
    void openTable(const librevenge::RVNGPropertyList&) override {}
    void openTableRow(const librevenge::RVNGPropertyList&) override {}
    void closeTableRow() override {}
    void openTableCell(const librevenge::RVNGPropertyList&) override {}
    void closeTableCell() override {}
    void insertCoveredTableCell(const librevenge::RVNGPropertyList&) override {}
    void closeTable() override {}
    void openGroup(const librevenge::RVNGPropertyList&) override {}
    void closeGroup() override {}
    void defineGraphicStyle(const librevenge::RVNGPropertyList&) override {}
    void drawRectangle(const librevenge::RVNGPropertyList&) override {}
    void drawEllipse(const librevenge::RVNGPropertyList&) override {}
    void drawPolygon(const librevenge::RVNGPropertyList&) override {}
    void drawPolyline(const librevenge::RVNGPropertyList&) override {}
    void drawPath(const librevenge::RVNGPropertyList&) override {}
    void drawConnector(const librevenge::RVNGPropertyList&) override {}
    void insertEquation(const librevenge::RVNGPropertyList&) override {}

private:
    void AppendText(const char* pszUtf8);

    CSheetCellGrid& m_grid;
    int m_nSheetsOpened = 0;
    bool m_bInFirstSheet = false;
    bool m_bInCell = false;
    bool m_bAllKept = true;
    int m_nRow = 0;
    int m_nColumn = 0;
    std::string m_cellText;  // UTF-8
};
