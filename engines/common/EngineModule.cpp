#include "engines/common/EngineModule.h"

HINSTANCE EngineModuleHandle()
{
    // The module that holds this very function: each engine library links
    // its own copy, so each finds itself, never the program's resources.
    HMODULE hModule = NULL;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&EngineModuleHandle), &hModule))
        return GetModuleHandleA(NULL);
    return hModule;
}
