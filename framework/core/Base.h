// Common definitions of the framework layer: Win32 headers, ANSI text types
// and the assertion macros every framework file uses.
#pragma once

#ifdef UNICODE
#error "The framework is built for single-byte (ANSI) text"
#endif

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifndef ASSERT
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#include <assert.h>
#define ASSERT(f) assert(f)
#endif
#endif

#ifndef VERIFY
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) ASSERT(f)
#endif
#endif

#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define TRACE(...) ((void)0)

// An opaque iteration handle of the list and map classes.
struct __POSITION {};
typedef __POSITION* POSITION;

#define BEFORE_START_POSITION ((POSITION)-1L)
