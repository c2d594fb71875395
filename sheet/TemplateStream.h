// The sheet record a template file's "Contents" stream holds: header, cells,
// the two string lists, the page trailer, the bands and, for an analysis
// sheet, the analysis block.
#pragma once

#include "framework/core/Archive.h"

class CSheet;

// Cause (CArchiveException::m_cause) of a stream whose header is damaged: a
// wrong magic, a text length out of its range, or a cell count that is
// negative or more than the rest of the stream can hold.
#define TEMPLATE_BAD_HEADER CArchiveException::badSchema

// Fields 1-14.  The sheet's magic, version and cell count are set to the
// values written.
void WriteSheetHeader(CArchive& ar, CSheet& sheet);
// Page layout, page-break arrays and page settings.
void WriteTrailer(CArchive& ar, const CSheet& sheet);
// The whole record, then the archive is flushed.
void WriteTemplateStream(CArchive& ar, CSheet& sheet);

// Reads fields 1-14 into sheet and returns the cell count, or -1 when the
// magic or a text length is wrong.
LONG ReadSheetHeader(CArchive& ar, CSheet& sheet);
// Reads the trailer; stops quietly after the first plain word that comes
// back short, leaving the remaining fields as they were.
void ReadTrailer(CArchive& ar, CSheet& sheet);

// Reads a whole record into a scratch sheet and, only when all of it was
// read, moves it into sheet: cells (owned by sheet from then on), header,
// lists, trailer, bands and analysis block; the undo list is dropped, the
// selection becomes cell 0 alone (none without cells) and the bounding
// rectangle is recomputed.  Fields a short trailer does not reach keep the
// values sheet had.  Throws CArchiveException (TEMPLATE_BAD_HEADER, or
// endOfFile for a stream that ends inside a record) or CMemoryException,
// leaving sheet exactly as it was.
void ReadTemplateStream(CArchive& ar, CSheet& sheet);
