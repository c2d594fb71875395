// The index files beside a Paradox table N.db: its primary index N.PX,
// which pxlib writes with a keyed table, and its secondary indexes
// (N.Xnn, N.Ynn, N.XGn, N.YGn), which pxlib cannot write and which a
// table written anew leaves stale.
#pragma once

#include "framework/core/String.h"

// N.PX beside the table file N.db.
CString ParadoxPrimaryIndexPath(const CString& strTable);
// The message when an index file of the table could not be moved (it is
// read-only or in use); "" when all can.  Asked before the table is
// replaced, so that a table is never swapped in without its index.
CString ParadoxIndexRefusal(const CString& strTable);
// After strWritten, a new table file written with its primary index (when
// keyed), has replaced strTable: puts that index in place of the table's
// old one and moves the stale ones aside (an old primary index of a table
// now without one, every secondary index).  The files as they were
// before this program first changed them are kept as N.PX.bak, N.X02.bak,
// ... beside the table's N.bak; a later stale index is removed.
BOOL SwapInParadoxIndexes(const CString& strWritten, const CString& strTable, CString& strError);
// Removes the primary index written with strWritten, when the new table
// file is not swapped in.
void DeleteParadoxIndex(const CString& strWritten);
