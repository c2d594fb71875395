// Key presses and mouse clicks made by the X server's test extension, as a
// user's keyboard and mouse make them: the designer's X windows receive
// real X events, so Wine builds the key state and the key flags of the
// mouse messages itself.  Positions are root coordinates, which are the
// screen coordinates of the Windows side.
#pragma once

// The Shift key, the one modifier the tests hold.
enum { XINPUT_NO_MODIFIER = 0, XINPUT_SHIFT = 1 };

// A left click at the screen point, after a move there, with the modifier
// held down from before the press until after the release; 0 when the
// display or its test extension is not there.
int XServerClick(int x, int y, int nModifier);
