#include "framework/db/FieldExchange.h"
#include "framework/db/Recordset.h"

CFieldExchange::CFieldExchange(UINT nOperation, CRecordset* prs)
    : m_nOperation(nOperation), m_nFieldType(outputColumn), m_prs(prs), m_pRow(NULL),
      m_pvTarget(NULL), m_bNull(FALSE), m_bFound(FALSE), m_nField(0), m_nParam(0)
{
}

BOOL CFieldExchange::Next(void* pv, int& nIndex)
{
    if (m_nFieldType == param)
    {
        nIndex = m_nParam++;
        return m_nOperation == BindParam;
    }
    if (m_nFieldType != outputColumn)
        return FALSE;
    nIndex = m_nField++;
    switch (m_nOperation)
    {
    case BindParam:
        return FALSE;
    case SetFieldNull:
    case IsFieldNull:
        return m_pvTarget == NULL || m_pvTarget == pv;
    default:
        return TRUE;
    }
}

const CDBValue& CFieldExchange::FetchedValue(int nIndex) const
{
    static const CDBValue null;
    if (m_pRow == NULL || nIndex < 0 || (size_t)nIndex >= m_pRow->size())
        return null;
    return (*m_pRow)[nIndex];
}

void CFieldExchange::GrowFields(int nIndex)
{
    CRecordset* prs = m_prs;
    if ((size_t)nIndex >= prs->m_fieldNull.size())
    {
        prs->m_fieldNull.resize(nIndex + 1, true);
        prs->m_nulledValues.resize(nIndex + 1);
    }
}

void CFieldExchange::MarkNotNull(int nIndex)
{
    GrowFields(nIndex);
    m_prs->m_fieldNull[nIndex] = false;
}

void CFieldExchange::Put(int nIndex, const CDBValue& value, SQLSMALLINT nSqlType)
{
    if (m_nOperation == BindParam)
    {
        m_prs->m_params.Bind(m_prs->m_hstmt, (SQLUSMALLINT)(nIndex + 1), value, nSqlType);
        return;
    }
    GrowFields(nIndex);
    CRecordset* prs = m_prs;
    switch (m_nOperation)
    {
    case Fetch:
        prs->m_fieldNull[nIndex] = FetchedValue(nIndex).IsNull();
        prs->m_nulledValues[nIndex] = value;
        break;
    case StoreField:
    {
        BOOL bNull = prs->m_fieldNull[nIndex] && value == prs->m_nulledValues[nIndex];
        m_values.push_back(bNull ? CDBValue() : value);
        break;
    }
    case SetFieldNull:
        prs->m_fieldNull[nIndex] = m_bNull != FALSE;
        prs->m_nulledValues[nIndex] = value;
        m_bFound = TRUE;
        break;
    case IsFieldNull:
        m_bNull = prs->m_fieldNull[nIndex] && value == prs->m_nulledValues[nIndex];
        m_bFound = TRUE;
        break;
    default:
        break;
    }
}

namespace
{

// The common shape of every routine: name, fetch into the field, then the
// field's value to the exchange.
template <class T, class FromValue, class ToValue>
void Exchange(CFieldExchange* pFX, LPCSTR szName, T& value, SQLSMALLINT nSqlType, FromValue from,
              ToValue to)
{
    int index = 0;
    if (!pFX->Next(&value, index))
        return;
    if (pFX->m_nOperation == CFieldExchange::Name)
    {
        pFX->PutName(szName);
        return;
    }
    if (pFX->m_nOperation == CFieldExchange::Fetch)
    {
        const CDBValue& fetched = pFX->FetchedValue(index);
        from(fetched, value);
        // Only a NULL field keeps its value, to tell a later assignment.
        if (!fetched.IsNull())
        {
            pFX->MarkNotNull(index);
            return;
        }
    }
    pFX->Put(index, to(value), nSqlType);
}

} // namespace

void RFX_Text(CFieldExchange* pFX, LPCSTR szName, CString& value, int nMaxLength, int nColumnType,
              short nScale)
{
    (void)nMaxLength;
    (void)nScale;
    Exchange(pFX, szName, value, (SQLSMALLINT)nColumnType,
             [](const CDBValue& v, CString& x) {
                 if (v.m_kind == CDBValue::kindText)
                     x = v.m_str;
                 else
                     x = v.AsText();
             },
             [](const CString& x) { return CDBValue::Text(x); });
}

void RFX_Bool(CFieldExchange* pFX, LPCSTR szName, BOOL& value)
{
    Exchange(pFX, szName, value, SQL_BIT, [](const CDBValue& v, BOOL& x) { x = v.AsInteger() != 0; },
             [](const BOOL& x) { return CDBValue::Integer(x ? 1 : 0); });
}

void RFX_Int(CFieldExchange* pFX, LPCSTR szName, int& value)
{
    Exchange(pFX, szName, value, SQL_INTEGER, [](const CDBValue& v, int& x) { x = (int)v.AsInteger(); },
             [](const int& x) { return CDBValue::Integer(x); });
}

void RFX_Long(CFieldExchange* pFX, LPCSTR szName, LONG& value)
{
    Exchange(pFX, szName, value, SQL_INTEGER, [](const CDBValue& v, LONG& x) { x = (LONG)v.AsInteger(); },
             [](const LONG& x) { return CDBValue::Integer(x); });
}

void RFX_Single(CFieldExchange* pFX, LPCSTR szName, float& value)
{
    Exchange(pFX, szName, value, SQL_REAL, [](const CDBValue& v, float& x) { x = (float)v.AsReal(); },
             [](const float& x) { return CDBValue::Real(x); });
}

void RFX_Double(CFieldExchange* pFX, LPCSTR szName, double& value)
{
    Exchange(pFX, szName, value, SQL_DOUBLE, [](const CDBValue& v, double& x) { x = v.AsReal(); },
             [](const double& x) { return CDBValue::Real(x); });
}

void RFX_Date(CFieldExchange* pFX, LPCSTR szName, TIMESTAMP_STRUCT& value)
{
    Exchange(pFX, szName, value, SQL_TYPE_TIMESTAMP,
             [](const CDBValue& v, TIMESTAMP_STRUCT& x) {
                 x = v.m_kind == CDBValue::kindTimestamp ? v.m_ts : TIMESTAMP_STRUCT();
             },
             [](const TIMESTAMP_STRUCT& x) { return CDBValue::Timestamp(x); });
}

void RFX_Byte(CFieldExchange* pFX, LPCSTR szName, BYTE& value)
{
    Exchange(pFX, szName, value, SQL_TINYINT, [](const CDBValue& v, BYTE& x) { x = (BYTE)v.AsInteger(); },
             [](const BYTE& x) { return CDBValue::Integer(x); });
}

void RFX_Binary(CFieldExchange* pFX, LPCSTR szName, CByteArray& value, int nMaxLength)
{
    (void)nMaxLength;
    Exchange(pFX, szName, value, SQL_VARBINARY,
             [](const CDBValue& v, CByteArray& x) {
                 x.SetSize(v.m_str.GetLength());
                 for (int i = 0; i < v.m_str.GetLength(); ++i)
                     x[i] = (BYTE)v.m_str[i];
             },
             [](const CByteArray& x) { return CDBValue::Binary(x.GetData(), (int)x.GetSize()); });
}

void RFX_Value(CFieldExchange* pFX, LPCSTR szName, CDBValue& value)
{
    Exchange(pFX, szName, value, 0, [](const CDBValue& v, CDBValue& x) { x = v; },
             [](const CDBValue& x) -> const CDBValue& { return x; });
}
