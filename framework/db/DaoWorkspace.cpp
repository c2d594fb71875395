#include "framework/db/DaoWorkspace.h"

IMPLEMENT_DYNAMIC(CDaoWorkspace, CObject)

CDaoWorkspace::CDaoWorkspace()
{
}

CDaoWorkspace::~CDaoWorkspace()
{
}

void AfxDaoTerm()
{
}
