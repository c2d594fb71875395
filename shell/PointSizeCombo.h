// CPointSizeCombo: the Format bar's font size combo, holding sizes in twips.
#pragma once

#include "shell/FaceNameCombo.h"
#include "shell/PointSizeText.h"

class CPointSizeCombo : public CFormatBarCombo
{
    DECLARE_DYNAMIC(CPointSizeCombo)
public:
    CPointSizeCombo();

    // SIZE_TEXT_EMPTY, SIZE_TEXT_INVALID, 0 for a negative size, else twips.
    int GetSizeTwips() const;
    // Shows the size (empty for -1) unless the text already reads it, and
    // remembers it as the last size.
    void SetSizeTwips(int nTwips);
    // The sizes of a face: its raster heights, or the usual TrueType list.
    void FillSizes(LPCTSTR lpszFaceName);
    // Before the list opens: the sizes of the face the face combo shows (when
    // it is one of its items), and an unusable text replaced by the last size.
    void PrepareDropDown(const CFaceNameCombo& faces);
    int GetLastTwips() const { return m_nTwipsLast; }

protected:
    static int CALLBACK EnumSizeProc(const LOGFONTA* pLogFont, const TEXTMETRICA* pMetric,
                                     DWORD dwFontType, LPARAM lParam);
    void InsertRasterSize(int nTwips);

    int m_nTwipsLast;
};
