// A template document that the bench program owns on its stack: closing its
// views leaves it alive.
#pragma once

#include "sheet/document/TallyformDoc.h"

class CBenchDoc : public CTallyformDoc
{
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
};
