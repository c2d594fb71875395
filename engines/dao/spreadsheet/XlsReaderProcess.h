// The native workbook reader (xlsreader, beside the engine's module) run
// as a process of its own on one file.
#pragma once

#include <string>

// How a run of the reader ended.
enum class XlsReaderEnd
{
    NOT_STARTED,  // the program is missing or cannot be started
    EXITED,       // it ended of itself with exit code 0
    FAILED,       // it was killed or ended with another exit code
};

// Runs the reader on the file (a Unix path) and collects everything it
// writes to its standard output; strProgram names the program run.
XlsReaderEnd RunXlsReader(const std::string& strUnixPath, std::string& output, std::string& strProgram);
