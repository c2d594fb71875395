// Whole-file reads and writes of the worksheet files, with their failures
// as messages that name the file and the cause (not found, in use by
// another program, access denied, disk full).
#pragma once

#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/String.h"

// The file's name without folder and extension: the table name of a
// worksheet file, which names no sheet itself.
CString SheetFileTitle(const CString& strPath);
// The message of a framework exception.
CString ExceptionMessage(const CException* e);

// The first bytes of the file (fewer when it is shorter), read as a library
// will read the file, so that a missing or locked file is told in the
// system's words before the library sees it.
BOOL ReadSheetFileHead(const CString& strPath, BYTE* pHead, UINT nCount, UINT& nRead, CString& strError);
BOOL ReadSheetFile(const CString& strPath, std::vector<BYTE>& bytes, CString& strError);
// Creates the file with the bytes; a file this call made is deleted when
// the writing fails half-way.
BOOL WriteSheetFile(const CString& strPath, const std::vector<BYTE>& bytes, CString& strError);
