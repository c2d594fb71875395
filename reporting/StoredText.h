// Texts of the reporting database that this system's code page may not
// show: the engines read a character the code page lacks as '?'.  Such a
// text on show is not the stored one, so it must neither be written back
// nor be replaced by a change made from it.
#pragma once

#include <utility>
#include <vector>

#include "framework/core/String.h"

class CKemRecordset;

// The message that refuses such a change.
extern const char kUnshownTextRefused[];

// TRUE when strShown, read from lpszField of the row strRowCondition finds
// in strTable, is the stored text itself: a text without '?' always is, one
// with '?' only when the table holds it as shown.  A failed look-up was
// reported and gives FALSE.
BOOL IsShownAsStored(const CString& strTable, const CString& strRowCondition, LPCSTR lpszField,
                     const CString& strShown);

// A field of the current row of rs and the text it is to take.
typedef std::pair<LPCSTR, CString> CFieldText;

// For a change of a row of strTable (found again by strRowCondition) that
// shows the texts shown (see ShownTexts): TRUE when every field whose text
// is to differ from the one on show shows its stored text; otherwise tells
// kUnshownTextRefused and gives FALSE.
BOOL CanReplaceShownTexts(const CString& strTable, const CString& strRowCondition,
                          const std::vector<CFieldText>& changes, const std::vector<CString>& shown);
// The same for the current row of a table of codes, found again by its
// FD_Code; a database error is reported and gives FALSE.
BOOL CanReplaceCurrentRowTexts(CKemRecordset& rs, const CString& strTable, const std::vector<CFieldText>& changes);

// Sets, in the row being edited, only the fields whose text differs from
// the one the row showed (read before Edit, in the same order): a text
// left alone is never written back from the form on show.
void SetChangedTexts(CKemRecordset& rs, const std::vector<CFieldText>& changes, const std::vector<CString>& shown);

// The texts the current row of rs shows in the fields of the changes.
std::vector<CString> ShownTexts(CKemRecordset& rs, const std::vector<CFieldText>& changes);
