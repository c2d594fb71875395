#include "engines/dao/DAODatabase.h"

// Paradox, text and HTML sources have no reader in this build: their
// import fails, so such a database never opens and nothing is written back.
BOOL CDAODatabase::ImportDatabase()
{
    m_strTempPath.Empty();
    return FALSE;
}

BOOL CDAODatabase::WriteBackDatabase()
{
    return FALSE;
}
