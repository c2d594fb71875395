// The one way tests include GoogleTest: the Winelib compilers define the
// Windows macros, which would make GoogleTest pick its Windows port.
#pragma once

#pragma push_macro("_WIN32")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN32")
#pragma push_macro("WIN64")
#pragma push_macro("__WIN32__")
#pragma push_macro("__WIN32")
#pragma push_macro("__WIN64")
#pragma push_macro("__WIN64__")
#undef _WIN32
#undef _WIN64
#undef WIN32
#undef WIN64
#undef __WIN32__
#undef __WIN32
#undef __WIN64
#undef __WIN64__
#include <gtest/gtest.h>
#pragma pop_macro("__WIN64__")
#pragma pop_macro("__WIN64")
#pragma pop_macro("__WIN32")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("WIN64")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN64")
#pragma pop_macro("_WIN32")
