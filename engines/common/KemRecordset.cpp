#include "engines/common/KemRecordset.h"

IMPLEMENT_DYNAMIC(CKemRecordset, CObject)

CKemRecordset::CKemRecordset(CKemDatabase* pDatabase) : m_pDatabase(pDatabase)
{
}

CKemRecordset::~CKemRecordset()
{
}

void CKemRecordset::Open(const char*, BOOL) {}
void CKemRecordset::Close() {}
void CKemRecordset::Requery() {}
long CKemRecordset::GetRecordCount() { return -1; }
short CKemRecordset::GetFieldCount() { return -1; }
BOOL CKemRecordset::IsOpen() const { return FALSE; }
BOOL CKemRecordset::IsBOF() const { return FALSE; }
BOOL CKemRecordset::IsEOF() const { return FALSE; }
BOOL CKemRecordset::IsDeleted() const { return FALSE; }
void CKemRecordset::MoveNext() {}
void CKemRecordset::MovePrev() {}
void CKemRecordset::MoveFirst() {}
void CKemRecordset::MoveLast() {}
void CKemRecordset::Move(long) {}
BOOL CKemRecordset::FindNext(const char*) { return FALSE; }
BOOL CKemRecordset::FindPrev(const char*) { return FALSE; }
BOOL CKemRecordset::FindFirst(const char*) { return FALSE; }
BOOL CKemRecordset::FindLast(const char*) { return FALSE; }
BOOL CKemRecordset::Find(long, const char*) { return FALSE; }
void CKemRecordset::AddNew() {}
void CKemRecordset::Edit() {}
void CKemRecordset::Update() {}
void CKemRecordset::Delete() {}
void CKemRecordset::CancelUpdate() {}
COleVariant CKemRecordset::GetFieldValue(int) { return COleVariant((short)-1, VT_I2); }
COleVariant CKemRecordset::GetFieldValue(const char*) { return COleVariant((short)-1, VT_I2); }
void CKemRecordset::GetFieldValue(int, COleVariant&) {}
void CKemRecordset::GetFieldValue(const char*, COleVariant&) {}
void CKemRecordset::SetFieldValue(const char*, const char*) {}
void CKemRecordset::SetFieldValue(int, const char*) {}
void CKemRecordset::SetFieldValue(int, const COleVariant&) {}
void CKemRecordset::SetFieldValue(const char*, const COleVariant&) {}
void CKemRecordset::SetFieldValueNull(int) {}
void CKemRecordset::SetFieldValueNull(const char*) {}
