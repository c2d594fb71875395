// The standard headers come first: windows.h defines min and max macros.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <sstream>

#include "tests/support/PrivatePgCluster.h"

namespace
{
// The value of a KEY= line of the script's output.
std::string ValueOf(const std::string& output, const char* pszKey)
{
    std::istringstream lines(output);
    std::string line;
    std::string prefix = std::string(pszKey) + "=";
    while (std::getline(lines, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    return std::string();
}
} // namespace

CPrivatePgCluster::CPrivatePgCluster()
{
    std::string output;
    const char* pszIni = getenv("ODBCINI");
    if (pszIni == NULL || !Run("start", &output))
        return;
    m_dir = ValueOf(output, "DIR");
    m_port = ValueOf(output, "PORT");
    std::string dsn = "kem_pg_private_" + std::to_string(getpid());
    FILE* pIni = fopen(pszIni, "a");
    if (pIni == NULL || m_port.empty())
        return;
    fprintf(pIni, "\n[%s]\nDriver=PostgreSQL ANSI\nServername=127.0.0.1\nPort=%s\nDatabase=kemtest\nProtocol=7.4-1\n",
            dsn.c_str(), m_port.c_str());
    fclose(pIni);
    m_strUser = ValueOf(output, "USER").c_str();
    m_strPassword = ValueOf(output, "PASSWORD").c_str();
    m_strDsn = dsn.c_str();
}

CPrivatePgCluster::~CPrivatePgCluster()
{
    if (!m_dir.empty())
        Run("remove '" + m_dir + "'");
}

BOOL CPrivatePgCluster::Stop()
{
    return Run("stop '" + m_dir + "'");
}

BOOL CPrivatePgCluster::Restart()
{
    return Run("restart '" + m_dir + "' " + m_port);
}

BOOL CPrivatePgCluster::Run(const std::string& arguments, std::string* pOutput)
{
    std::string command = "bash '" PG_PRIVATE_CLUSTER_SCRIPT "' " + arguments;
    FILE* pPipe = popen(command.c_str(), "r");
    if (pPipe == NULL)
        return FALSE;
    char buf[1024];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), pPipe)) > 0)
        if (pOutput != NULL)
            pOutput->append(buf, n);
    return pclose(pPipe) == 0;
}
