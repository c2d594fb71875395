// The records of Lotus worksheet files that the reader checks and the
// writer writes, and the code page of each format's texts.
#pragma once

#include <vector>

#include "engines/dao/spreadsheet/LotusWorksheetFile.h"

const WORD LOTUS_BOF = 0x0000;
const WORD LOTUS_EOF = 0x0001;
const WORD LOTUS_RANGE = 0x0006;
const WORD LOTUS_INTEGER = 0x000D;
const WORD LOTUS_NUMBER = 0x000E;
const WORD LOTUS_LABEL = 0x000F;
// File versions in the BOF record.
const WORD LOTUS_WKS_VERSION = 0x0404;
const WORD LOTUS_WK1_VERSION = 0x0406;

// The DOS code page of the texts: libwps reads a file that names none so.
UINT LotusCodePage(LotusFormat nFormat);

// TRUE when the bytes are whole records, from a BOF record to an EOF
// record, none running past the end; wVersion is the BOF record's version.
BOOL CheckLotusRecords(const std::vector<BYTE>& bytes, WORD& wVersion);
