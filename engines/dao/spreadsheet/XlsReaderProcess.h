// The native workbook reader (xlsreader, beside the engine's module) run
// as a process of its own on one file, its output read as it comes.
#pragma once

#include <sys/types.h>

#include <string>

class CXlsReaderRun
{
public:
    CXlsReaderRun() = default;
    // Stops reading and waits for the program's end.
    ~CXlsReaderRun();
    CXlsReaderRun(const CXlsReaderRun&) = delete;
    CXlsReaderRun& operator=(const CXlsReaderRun&) = delete;

    // Starts the reader on the file (a Unix path); false when the program
    // is missing or cannot be started.
    bool Start(const std::string& strUnixPath);
    // The program started, or looked for.
    const std::string& Program() const { return m_strProgram; }
    // Appends what the program writes next to output: false at its end.
    bool ReadMore(std::string& output);
    // Waits for the program's end: true when it ended of itself with exit
    // code 0 after all its output was read.  A program whose output was
    // not read to its end is ended.
    bool Finish();

private:
    std::string m_strProgram;
    int m_fdOutput = -1;
    pid_t m_pid = 0;
    bool m_bOutputEnded = false;
    bool m_bEndedWell = false;
};
