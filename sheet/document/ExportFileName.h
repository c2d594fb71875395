// The file names the export commands propose (Save to PDF, Export to
// Excel): made of a template's name, without what a file name cannot hold.
#pragma once

#include "framework/core/String.h"

// Each one-byte character of the text that is among the banned ones, or a
// control character, becomes a blank; a double-byte character is kept
// whole.
void BlankCharacters(CString& strText, LPCSTR pszBanned);
// The name with the characters a file name cannot hold as blanks, without
// the leading blanks and the trailing blanks and dots the file system
// drops, and the extension (".pdf") after it; "Report" for a name that
// leaves nothing.
CString ExportFileName(CString strName, LPCSTR pszExtension);
