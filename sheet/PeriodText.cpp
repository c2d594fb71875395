#include "sheet/PeriodText.h"

#include "sheet/PeriodCode.h"
#include "sheet/ReportPeriod.h"

namespace {

const char* const g_digitWords[10] = { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9" };

// Words of the places above the units; the units place has none.
const char* const g_placeWords[] = { "", "Ten", "Hundred", "Thousand", "Ten Thousand" };
const int PLACE_WORD_COUNT = sizeof(g_placeWords) / sizeof(g_placeWords[0]);

const char* const g_monthNames[12] = { "January", "February", "March", "April", "May", "June",
                                       "July", "August", "September", "October", "November",
                                       "December" };

// The ten-day text is in the Chinese code page (GB2312) whatever the user's
// language: year, month and part of the month.
const char TENDAY_FORMAT[] = "%s\xC4\xEA%s\xD4\xC2%s\xD1\xAE";
const char TENDAY_FIRST[] = "\xC9\xCF";
const char TENDAY_SECOND[] = "\xD6\xD0";
const char TENDAY_THIRD[] = "\xCF\xC2";

const char* TenDayPartName(char ch)
{
    switch (ch)
    {
    case '1': return TENDAY_FIRST;
    case '2': return TENDAY_SECOND;
    case '3': return TENDAY_THIRD;
    default: return "";
    }
}

}

CString NumberToText(int value, int style, BOOL digitByDigit)
{
    CString text;
    if (style == NUMERAL_DECIMAL)
    {
        text.Format("%d", value);
        return text;
    }
    long long rest = value < 0 ? -(long long)value : value;
    if (rest == 0)
        return text;

    // Digits from the lowest place upward; each one is put in front of the
    // text of the places below it.
    int digits[20];
    int count = 0;
    while (rest > 0)
    {
        digits[count++] = (int)(rest % 10);
        rest /= 10;
    }
    for (int place = 0; place < count; ++place)
    {
        int digit = digits[place];
        CString part;
        if (digitByDigit)
            part = g_digitWords[digit];
        else if (digit != 0)
        {
            // Places the word table does not reach are never passed; they
            // get the digit alone.
            const char* placeWord = place < PLACE_WORD_COUNT ? g_placeWords[place] : "";
            if (!(place == 1 && digit == 1 && place == count - 1))
                part = g_digitWords[digit];
            part += placeWord;
        }
        text = part + text;
    }
    return text;
}

CString MonthName(int month)
{
    if (month < 1 || month > 12)
        month = 1;
    return CString(g_monthNames[month - 1]);
}

CString PeriodCodeToText(CString code, int type, int style)
{
    CString text;
    if (code.GetLength() != PERIOD_CODE_LENGTH || !IsPeriodType(type))
        return text;

    CReportPeriod period(code, type);
    CString year = NumberToText(period.m_nYear, style, TRUE);
    switch (type)
    {
    case PERIOD_YEAR:
        text = year;
        break;
    case PERIOD_HALFYEAR:
        text.Format("%s-%s", (LPCTSTR)year, code[4] == '1' ? "1-6" : "7-12");
        break;
    case PERIOD_QUARTER:
        text.Format("%s-Q%s", (LPCTSTR)year,
                    (LPCTSTR)NumberToText(period.m_nQuarter, style, FALSE));
        break;
    case PERIOD_MONTH:
        text.Format("%s,%s", (LPCTSTR)MonthName(period.m_nMonth), (LPCTSTR)year);
        break;
    case PERIOD_WEEK:
        text.Format("%s-%s Week", (LPCTSTR)year,
                    (LPCTSTR)NumberToText(period.m_nWeek, style, FALSE));
        break;
    case PERIOD_DAY:
        text.Format("%s %s,%s", (LPCTSTR)MonthName(period.m_nMonth),
                    (LPCTSTR)NumberToText(period.m_nDay, style, FALSE), (LPCTSTR)year);
        break;
    case PERIOD_TENDAY:
        text.Format(TENDAY_FORMAT, (LPCTSTR)year,
                    (LPCTSTR)NumberToText(period.m_nMonth, style, FALSE), TenDayPartName(code[8]));
        break;
    default:
        break;
    }
    return text;
}

UINT PeriodTextCodePage(int type)
{
    return type == PERIOD_TENDAY ? CHINESE_CODE_PAGE : CP_ACP;
}

CString GetCurrentPeriodCode(int type)
{
    return CReportPeriod::GetCurrentCode(type);
}
