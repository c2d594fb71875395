// What the native workbook reader (xlsreader) writes to its standard
// output for the engine: the workbook's facts and its cells, as records of
// a one-byte tag and fields in the machine's own byte order.  Both sides
// are built on this machine.  Shared by the reader program and the engine.
#pragma once

#include <stdint.h>

namespace xlscells
{

// The reader program's file name, beside the engine's module.
const char READER_PROGRAM[] = "xlsreader";

// The stream opens with these four bytes.
const uint32_t STREAM_MAGIC = 0x31534C58;  // "XLS1"

// The workbook: uint32 BIFF version, uint32 password mode, uint32 sheets.
const char TAG_BOOK = 'B';
// The shape of the next sheet, one after the other: uint32 length and its
// name (UTF-8), uint32 records (the rows below the first, up to the last
// that holds a value) and uint32 columns (up to the last that holds a
// value); then the cells of its first row.
const char TAG_SHEET = 'S';
// After the shapes, the cells of the next sheet, one after the other:
// those below its first row.
const char TAG_ROWS = 'R';
// A cell, row by row: uint32 row, uint16 column, then int32 (TAG_INTEGER),
// a double (TAG_DOUBLE), or uint32 length and the text (TAG_TEXT: a text,
// date or time in UTF-8).
const char TAG_INTEGER = 'I';
const char TAG_DOUBLE = 'D';
const char TAG_TEXT = 'T';
// The reading failed: int32 result (a FreeXL code); nothing follows.
const char TAG_FAILED = 'F';
// The file's structure is damaged: nothing follows.
const char TAG_DAMAGED = 'X';
// Every cell was written: nothing follows.
const char TAG_END = 'E';

} // namespace xlscells
