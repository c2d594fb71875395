#include "engines/odbc/ODBCRecordset.h"
#include "engines/odbc/ODBCDatabase.h"
#include "framework/core/MessageSink.h"

namespace
{

[[noreturn]] void ThrowFieldNotFound(const CString& strWhat)
{
    CDBException* e = new CDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    e->m_strError = "Column not found: " + strWhat;
    e->m_strStateNativeOrigin = "State:HY000,Native:1026,Origin:[ODBC engine]\n";
    throw e;
}

} // namespace

CODBCRecordset::CODBCRecordset(CODBCDatabase* pDatabase)
    : CKemRecordset(pDatabase), m_pDynaRecordset(new CDynaBindRecordset(pDatabase->m_pOdbcDatabase))
{
}

CODBCRecordset::~CODBCRecordset()
{
    delete m_pDynaRecordset;
}

void CODBCRecordset::CopyFilterAndSort()
{
    m_pDynaRecordset->m_strFilter = m_strFilter;
    m_pDynaRecordset->m_strSort = m_strSort;
}

void CODBCRecordset::Open(const char* lpszSQL, BOOL bReadOnly)
{
    CopyFilterAndSort();
    m_pDynaRecordset->Open(AFX_DB_USE_DEFAULT_TYPE, lpszSQL,
                           bReadOnly ? CRecordset::readOnly | CRecordset::noDirtyFieldCheck
                                     : CRecordset::noDirtyFieldCheck);
}

void CODBCRecordset::Close()
{
    m_pDynaRecordset->Close();
}

void CODBCRecordset::Requery()
{
    CopyFilterAndSort();
    m_pDynaRecordset->Requery();
}

long CODBCRecordset::GetRecordCount()
{
    m_pDynaRecordset->PerformPendingRequery();
    if (m_pDynaRecordset->IsBOF() && m_pDynaRecordset->IsEOF())
        return 0;
    return m_pDynaRecordset->GetRecordCount();
}

short CODBCRecordset::GetFieldCount()
{
    return (short)m_pDynaRecordset->GetHolderCount();
}

BOOL CODBCRecordset::IsOpen() const
{
    return m_pDynaRecordset->IsOpen();
}

BOOL CODBCRecordset::IsBOF() const
{
    return m_pDynaRecordset->IsBOF();
}

BOOL CODBCRecordset::IsEOF() const
{
    return m_pDynaRecordset->IsEOF();
}

BOOL CODBCRecordset::IsDeleted() const
{
    return m_pDynaRecordset->IsDeleted();
}

void CODBCRecordset::MoveNext()
{
    m_pDynaRecordset->MoveNext();
}

void CODBCRecordset::MovePrev()
{
    m_pDynaRecordset->MovePrev();
}

void CODBCRecordset::MoveFirst()
{
    m_pDynaRecordset->MoveFirst();
}

void CODBCRecordset::MoveLast()
{
    m_pDynaRecordset->MoveLast();
}

void CODBCRecordset::Move(long lRows)
{
    m_pDynaRecordset->Move(lRows, SQL_FETCH_RELATIVE);
}

BOOL CODBCRecordset::FindNext(const char* lpszCriteria)
{
    return m_pDynaRecordset->FindByRequery(AFX_FIND_NEXT, lpszCriteria);
}

BOOL CODBCRecordset::FindPrev(const char* lpszCriteria)
{
    return m_pDynaRecordset->FindByRequery(AFX_FIND_PREV, lpszCriteria);
}

BOOL CODBCRecordset::FindFirst(const char* lpszCriteria)
{
    return m_pDynaRecordset->FindByRequery(AFX_FIND_FIRST, lpszCriteria);
}

BOOL CODBCRecordset::FindLast(const char* lpszCriteria)
{
    return m_pDynaRecordset->FindByRequery(AFX_FIND_LAST, lpszCriteria);
}

BOOL CODBCRecordset::Find(long lFindType, const char* lpszCriteria)
{
    return m_pDynaRecordset->FindByRequery(lFindType, lpszCriteria);
}

void CODBCRecordset::AddNew()
{
    m_pDynaRecordset->AddNew();
}

void CODBCRecordset::Edit()
{
    m_pDynaRecordset->Edit();
}

void CODBCRecordset::Update()
{
    m_pDynaRecordset->Update();
}

void CODBCRecordset::Delete()
{
    m_pDynaRecordset->Delete();
}

void CODBCRecordset::CancelUpdate()
{
    m_pDynaRecordset->CancelUpdate();
}

CDynaBindHolder* CODBCRecordset::HolderAt(int nIndex)
{
    if (m_pDynaRecordset->GetHolderCount() == 0)
        return NULL;
    if (nIndex < 0 || nIndex >= m_pDynaRecordset->GetHolderCount())
    {
        CString what;
        what.Format("index %d", nIndex);
        ThrowFieldNotFound(what);
    }
    return &m_pDynaRecordset->Holder(nIndex);
}

CDynaBindHolder* CODBCRecordset::HolderNamed(const char* lpszName)
{
    if (m_pDynaRecordset->GetHolderCount() == 0)
        return NULL;
    int nIndex = m_pDynaRecordset->FindColumn(lpszName);
    if (nIndex < 0)
        ThrowFieldNotFound(lpszName);
    return &m_pDynaRecordset->Holder(nIndex);
}

COleVariant CODBCRecordset::GetFieldValue(int nIndex)
{
    CDynaBindHolder* pHolder = HolderAt(nIndex);
    return pHolder != NULL ? pHolder->ToVariant() : COleVariant();
}

COleVariant CODBCRecordset::GetFieldValue(const char* lpszName)
{
    CDynaBindHolder* pHolder = HolderNamed(lpszName);
    return pHolder != NULL ? pHolder->ToVariant() : COleVariant();
}

void CODBCRecordset::GetFieldValue(int nIndex, COleVariant& varValue)
{
    CDynaBindHolder* pHolder = HolderAt(nIndex);
    if (pHolder != NULL)
        pHolder->ToVariant(varValue);
    else
        varValue = COleVariant();
}

void CODBCRecordset::GetFieldValue(const char* lpszName, COleVariant& varValue)
{
    CDynaBindHolder* pHolder = HolderNamed(lpszName);
    if (pHolder != NULL)
        pHolder->ToVariant(varValue);
    else
        varValue = COleVariant();
}

void CODBCRecordset::SetText(CDynaBindHolder* pHolder, const char* lpszValue)
{
    if (pHolder == NULL)
        return;
    if (pHolder->m_nKind != HOLDER_TEXT)
    {
        AfxMessageBox("Field type is not matching.");
        return;
    }
    pHolder->m_value = CDBValue::Text(lpszValue != NULL ? lpszValue : "");
}

void CODBCRecordset::SetFieldValue(const char* lpszName, const char* lpszValue)
{
    SetText(HolderNamed(lpszName), lpszValue);
}

void CODBCRecordset::SetFieldValue(int nIndex, const char* lpszValue)
{
    SetText(HolderAt(nIndex), lpszValue);
}

void CODBCRecordset::SetFieldValue(int nIndex, const COleVariant& varValue)
{
    CDynaBindHolder* pHolder = HolderAt(nIndex);
    if (pHolder != NULL)
        pHolder->FromVariant(varValue);
}

void CODBCRecordset::SetFieldValue(const char* lpszName, const COleVariant& varValue)
{
    CDynaBindHolder* pHolder = HolderNamed(lpszName);
    if (pHolder != NULL)
        pHolder->FromVariant(varValue);
}

void CODBCRecordset::SetFieldValueNull(int nIndex)
{
    CDynaBindHolder* pHolder = HolderAt(nIndex);
    if (pHolder != NULL)
        pHolder->m_value = CDBValue();
}

void CODBCRecordset::SetFieldValueNull(const char* lpszName)
{
    CDynaBindHolder* pHolder = HolderNamed(lpszName);
    if (pHolder != NULL)
        pHolder->m_value = CDBValue();
}
