#include "framework/core/Map.h"

IMPLEMENT_DYNAMIC(CMapStringToString, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
