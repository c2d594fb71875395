// Linux tools run from a test: the independent readers and writers of the
// file formats (shapelib's dbfcreate, dbfadd, dbfdump), and mount.
#pragma once

#include <string>

#include "framework/core/String.h"

// What the shell command prints (standard output and errors), run in the
// Unix folder of the Windows folder strFolder.
std::string RunNativeTool(const CString& strFolder, const std::string& command);
// TRUE when the shell command ran and exited with 0; its output in pOutput.
bool NativeToolSucceeds(const CString& strFolder, const std::string& command, std::string* pOutput = nullptr);
