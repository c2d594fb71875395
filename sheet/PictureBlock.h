// Reference-counted global memory blocks of picture cells.  A block made by
// PictureBlockAlloc starts with one reference; every cell that holds it owns
// one reference, and the last Release frees it.  Pointers this table did not
// make are never counted and never freed.
#pragma once

#include "framework/core/Base.h"

typedef HGLOBAL (WINAPI* PFN_PICTUREBLOCKALLOC)(UINT uFlags, SIZE_T cb);
typedef HGLOBAL (WINAPI* PFN_PICTUREBLOCKFREE)(HGLOBAL hMem);

// A GMEM_FIXED block of cb bytes (cb > 0) with one reference, or NULL.
HGLOBAL PictureBlockAlloc(SIZE_T cb);

// Adds or drops one reference; NULL and unknown pointers are ignored.
void PictureBlockAddRef(HGLOBAL hBlock);
void PictureBlockRelease(HGLOBAL hBlock);

// The references held on a block, 0 for NULL or an unknown pointer.
LONG PictureBlockRefCount(HGLOBAL hBlock);

// The size the block was allocated with, 0 for NULL or an unknown pointer.
SIZE_T PictureBlockSize(HGLOBAL hBlock);

// Number of live blocks in the table.
SIZE_T PictureBlockLiveCount();

// Replaces the allocator (GlobalAlloc/GlobalFree by default); NULL restores
// the default.  Tests count allocations through it.
void SetPictureBlockAllocator(PFN_PICTUREBLOCKALLOC pfnAlloc, PFN_PICTUREBLOCKFREE pfnFree);
