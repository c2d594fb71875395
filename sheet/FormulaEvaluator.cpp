#include <math.h>
#include <string.h>

#include "framework/core/MessageSink.h"
#include "sheet/FormulaEvaluator.h"
#include "sheet/FormulaText.h"

const int FormulaPrecedenceTable[7][7] = {
    // +  -  *  /  (  )  #
    { 0, 0, 2, 2, 2, 0, 0 },    // +
    { 0, 0, 2, 2, 2, 0, 0 },    // -
    { 0, 0, 0, 0, 2, 0, 0 },    // *
    { 0, 0, 0, 0, 2, 0, 0 },    // /
    { 2, 2, 2, 2, 2, 1, 3 },    // (
    { 0, 0, 0, 0, 4, 0, 0 },    // )
    { 2, 2, 2, 2, 2, 5, 1 },    // #
};

namespace
{

const char kOperators[] = "+-*/()#";
const double kSmallestDivisor = 0.00001;

// A small fixed-capacity stack that refuses to pop when empty.
template<class T>
class CEvalStack
{
public:
    CEvalStack() : m_pData(NULL), m_nSize(0), m_nMax(0) {}
    ~CEvalStack() { delete[] m_pData; }
    void Push(T value)
    {
        if (m_nSize == m_nMax)
            Grow();
        m_pData[m_nSize++] = value;
    }
    BOOL Pop(T& value)
    {
        if (m_nSize == 0)
            return FALSE;
        value = m_pData[--m_nSize];
        return TRUE;
    }
    T Top() const { return m_pData[m_nSize - 1]; }
    int Size() const { return m_nSize; }

private:
    void Grow()
    {
        const int nMax = m_nMax == 0 ? 16 : m_nMax * 2;
        T* pData = new T[nMax];
        for (int i = 0; i < m_nSize; ++i)
            pData[i] = m_pData[i];
        delete[] m_pData;
        m_pData = pData;
        m_nMax = nMax;
    }

    T* m_pData;
    int m_nSize;
    int m_nMax;
    CEvalStack(const CEvalStack&) = delete;
    CEvalStack& operator=(const CEvalStack&) = delete;
};

BOOL Fail(LPCSTR pszMessage)
{
    AfxMessageBox(pszMessage);
    return FALSE;
}

} // namespace

BOOL IsFormulaOperator(char ch)
{
    return ch != '\0' && strchr(kOperators, ch) != NULL;
}

int FormulaOperatorIndex(char ch)
{
    if (ch == '\0')
        return -1;
    const char* p = strchr(kOperators, ch);
    return p != NULL ? (int)(p - kOperators) : -1;
}

BOOL ApplyFormulaOperator(double a, double b, char op, double& dResult)
{
    switch (op)
    {
    case '+':
        dResult = a + b;
        break;
    case '-':
        dResult = a - b;
        break;
    case '*':
        dResult = a * b;
        break;
    case '/':
        if (fabs(b) < kSmallestDivisor)
            return Fail("Divide zero.");
        dResult = a / b;
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL EvaluateFormulaText(const CFormulaNames& names, LPCSTR pszFormula, double& dResult)
{
    CString strText = pszFormula;
    if (strText.IsEmpty())
        return Fail("Formula is empty.");
    if (strText.Find('=') >= 0)
        return Fail("Invalid '=' in formula.");
    // '#' marks the end; one inside the text would end the scan early.
    if (strText.Find('#') >= 0)
        return Fail("Invalid cell name.");
    strText.MakeUpper();
    strText += '#';

    CEvalStack<char> operators;
    CEvalStack<double> values;
    operators.Push('#');
    int p = 0;
    // Operands and operators must alternate: at the start, after an operator
    // and after '(' an operand or '(' comes next; else an operator, ')' or
    // the end.
    BOOL bWantOperand = TRUE;
    for (;;)
    {
        const char ch = strText[p];
        const BOOL bStartsOperand = ch == '(' || !IsFormulaOperator(ch);
        if (bWantOperand && !bStartsOperand)
            return Fail("Operate number required.");
        if (!bWantOperand && bStartsOperand)
            return Fail("')' required.");
        if (ch == '#' && operators.Top() == '#')
        {
            double dValue;
            if (values.Size() != 1 || !values.Pop(dValue))
                return Fail("Operate number required.");
            dResult = dValue;
            return TRUE;
        }
        const int nIncoming = FormulaOperatorIndex(ch);
        if (nIncoming < 0)
        {
            int nEnd = p;
            while (!IsFormulaOperator(strText[nEnd]))
                ++nEnd;
            const CString strOperand = strText.Mid(p, nEnd - p);
            double dValue = 0.0;
            if (ParseNumberText(strOperand, dValue) != 1 && names.GetCellValueByName(strOperand, dValue) < 0)
                return Fail("Invalid cell name.");
            values.Push(dValue);
            p = nEnd;
            bWantOperand = FALSE;
            continue;
        }
        switch (FormulaPrecedenceTable[FormulaOperatorIndex(operators.Top())][nIncoming])
        {
        case FORMULA_REDUCE:
        {
            double a, b, dValue = 0.0;
            char op = '\0';
            if (!values.Pop(b) || !values.Pop(a))
                return Fail("Operate number required.");
            operators.Pop(op);
            if (!ApplyFormulaOperator(a, b, op, dValue))
                return FALSE;
            values.Push(dValue);
            break;
        }
        case FORMULA_CLOSE:
        {
            char op = '\0';
            operators.Pop(op);
            ++p;
            bWantOperand = FALSE;
            break;
        }
        case FORMULA_PUSH:
            operators.Push(ch);
            ++p;
            bWantOperand = TRUE;
            break;
        case FORMULA_OPEN_LEFT:
        case FORMULA_OPEN_LEFT_AFTER_CLOSE:
            return Fail("')' required.");
        default:
            return Fail("Invalid ')'");
        }
    }
}

BOOL EvaluateFormula(const CSheet& sheet, int nCell, double& dResult, BOOL bUseText, LPCSTR pszText)
{
    CString strFormula;
    if (bUseText)
        strFormula = pszText;
    else if (nCell >= 0 && nCell < (int)sheet.m_cells.GetSize())
        strFormula = sheet.m_cells[nCell].m_strFormula;
    const CFormulaNames names(sheet);
    return EvaluateFormulaText(names, strFormula, dResult);
}
