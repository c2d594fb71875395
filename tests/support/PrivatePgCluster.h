// A PostgreSQL server of one test's own (tests/support/pg-private-cluster.sh),
// reachable by a data-source name of its own that is added to the run's
// ODBC data-source file, so that the programs started by the test reach it
// too.  The test may stop it and start it again; it is removed at the end.
#pragma once

#include <string>

#include "framework/core/String.h"

class CPrivatePgCluster
{
public:
    CPrivatePgCluster();
    ~CPrivatePgCluster();
    CPrivatePgCluster(const CPrivatePgCluster&) = delete;
    CPrivatePgCluster& operator=(const CPrivatePgCluster&) = delete;

    // FALSE when the server or its data source could not be made.
    BOOL IsReady() const { return !m_strDsn.IsEmpty(); }
    const CString& Dsn() const { return m_strDsn; }
    const CString& User() const { return m_strUser; }
    const CString& Password() const { return m_strPassword; }

    BOOL Stop();
    BOOL Restart();

private:
    BOOL Run(const std::string& arguments, std::string* pOutput = NULL);

    std::string m_dir;
    std::string m_port;
    CString m_strDsn;
    CString m_strUser;
    CString m_strPassword;
};
