#include "engines/odbc/DynaBindHolder.h"

#include <string.h>

#include "framework/db/VariantBytes.h"

int DynaHolderKindOfSqlType(SQLSMALLINT nSqlType)
{
    if (DBValueKindOfSqlType(nSqlType) == CDBValue::kindTimestamp)
        return HOLDER_TIMESTAMP;
    switch (nSqlType)
    {
    case SQL_BIT:
        return HOLDER_BOOL;
    case SQL_TINYINT:
        return HOLDER_BYTE;
    case SQL_LONGVARBINARY:
    case SQL_VARBINARY:
    case SQL_BINARY:
        return HOLDER_BYTES;
    case SQL_INTEGER:
        return HOLDER_LONG;
    case SQL_SMALLINT:
        return HOLDER_INT;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return HOLDER_DOUBLE;
    case SQL_REAL:
        return HOLDER_SINGLE;
    default:
        return HOLDER_TEXT;
    }
}

COleVariant CDynaBindHolder::ToVariant() const
{
    COleVariant var;
    ToVariant(var);
    return var;
}

void CDynaBindHolder::ToVariant(COleVariant& var) const
{
    if (m_nKind == HOLDER_TEXT && m_value.m_kind == CDBValue::kindText)
    {
        DBBytesToVariant(m_value.m_str, (int)strlen(m_value.m_str), var);
        return;
    }
    var = Variant();
}

COleVariant CDynaBindHolder::Variant() const
{
    COleVariant var;
    if (m_value.IsNull())
    {
        V_VT(&var) = VT_NULL;
        return var;
    }
    switch (m_nKind)
    {
    case HOLDER_BOOL:
        return COleVariant((short)(m_value.AsInteger() != 0 ? VARIANT_TRUE : VARIANT_FALSE), VT_BOOL);
    case HOLDER_INT:
    case HOLDER_LONG:
        return COleVariant((LONG)m_value.AsInteger());
    case HOLDER_SINGLE:
        return COleVariant((float)m_value.AsReal());
    case HOLDER_DOUBLE:
        return COleVariant(m_value.AsReal());
    case HOLDER_TIMESTAMP:
        if (m_value.m_kind == CDBValue::kindTimestamp)
        {
            V_VT(&var) = VT_DATE;
            V_DATE(&var) = DBTimestampToDate(m_value.m_ts);
            return var;
        }
        break;
    case HOLDER_BYTE:
        return COleVariant((BYTE)m_value.AsInteger());
    case HOLDER_BYTES:
        var.SetBytes((LPCSTR)m_value.m_str, m_value.m_str.GetLength());
        return var;
    default:
        break;
    }
    return COleVariant(m_value.AsText(), VT_BSTRT);
}

void CDynaBindHolder::FromVariant(const VARIANT& var)
{
    if (V_VT(&var) == VT_NULL || V_VT(&var) == VT_EMPTY)
    {
        m_value = CDBValue();
        return;
    }
    // Text variants hold ANSI bytes: the platform's conversions read wide
    // text, so they get the wide form first.
    COleVariant source;
    if (V_VT(&var) == VT_BSTR)
    {
        CString text = AfxStringFromBstrBytes(V_BSTR(&var));
        if (m_nKind == HOLDER_TEXT)
        {
            m_value = CDBValue::Text(text);
            return;
        }
        source = COleVariant((LPCSTR)text, VT_BSTR);
    }
    else
        source = COleVariant(var);

    VARTYPE vt = VT_BSTRT;
    switch (m_nKind)
    {
    case HOLDER_BOOL:
        vt = VT_BOOL;
        break;
    case HOLDER_INT:
    case HOLDER_LONG:
        vt = VT_I4;
        break;
    case HOLDER_SINGLE:
        vt = VT_R4;
        break;
    case HOLDER_DOUBLE:
        vt = VT_R8;
        break;
    case HOLDER_TIMESTAMP:
        vt = VT_DATE;
        break;
    case HOLDER_BYTE:
        vt = VT_UI1;
        break;
    case HOLDER_BYTES:
        if (V_VT(&source) != (VT_ARRAY | VT_UI1))
            AfxThrowOleException(DISP_E_TYPEMISMATCH);
        m_value = DBValueFromVariant(source);
        return;
    default:
        break;
    }
    COleVariant converted;
    converted.ChangeType(vt, &source);
    m_value = DBValueFromVariant(converted);
}
