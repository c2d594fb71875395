#include "tests/support/NativeTool.h"

#include <stdio.h>
#include <sys/wait.h>

#include "framework/db/DaoDatabase.h"

namespace
{

int RunCommand(const CString& strFolder, const std::string& command, std::string& output)
{
    std::string line = "cd '" + std::string(DaoUnixPath(strFolder)) + "' && " + command + " 2>&1";
    FILE* pPipe = popen(line.c_str(), "r");
    if (pPipe == NULL)
    {
        output = "cannot run " + command;
        return -1;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pPipe)) > 0)
        output.append(buffer, n);
    return pclose(pPipe);
}

} // namespace

std::string RunNativeTool(const CString& strFolder, const std::string& command)
{
    std::string output;
    RunCommand(strFolder, command, output);
    return output;
}

bool NativeToolSucceeds(const CString& strFolder, const std::string& command, std::string* pOutput)
{
    std::string output;
    int nStatus = RunCommand(strFolder, command, output);
    if (pOutput != nullptr)
        *pOutput = output;
    return nStatus != -1 && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}
