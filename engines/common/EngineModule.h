// The module of the engine library this code is linked into, whose own
// resources its dialogs load.
#pragma once

#include "framework/core/Base.h"

HINSTANCE EngineModuleHandle();
