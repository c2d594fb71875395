// The face a font description really draws with.
#pragma once

#include <windows.h>

// Puts into lf the family name of the installed face that lf selects, when
// lf names a substitute (such as the stock fonts' "MS Shell Dlg") that font
// lists do not show.  FALSE, with lf unchanged, when no listed face can be
// told.
BOOL AfxResolveFontFace(LOGFONTA& lf);
