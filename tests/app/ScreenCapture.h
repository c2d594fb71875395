// Saves a rectangle of the X display's root window as a 24-bit BMP file.
// Another process's windows are not in this process's screen DC under
// Wine, so a picture of the running program is read from the X server.
#pragma once

// lpszUnixPath is a Unix path; 0 when the display or the file fails.
int SaveRootAreaBitmap(int x, int y, int cx, int cy, const char* lpszUnixPath);

// Where an X window lies on the screen, as the X server shows it: its
// top-left corner in root coordinates and its size.  0 when the display or
// the window is not there.
int GetXWindowArea(unsigned long xid, int* px, int* py, int* pcx, int* pcy);

// A window of any program on the X display whose name holds the text, such
// as a viewer that the designer started; 0 when there is none.
unsigned long FindXWindowNamed(const char* lpszPart);
// Ends the X client that owns the window (its program's connection).
int CloseXClient(unsigned long xid);

// The colours (0xRRGGBB) of a rectangle of the screen, row by row, into
// pPixels (cx * cy of them).  0 when the display fails or the rectangle
// is not wholly on the screen.
int ReadRootPixels(int x, int y, int cx, int cy, unsigned int* pPixels);

// Whether the X window upper is stacked above the X window lower, as the
// screen shows them (their top-level frames compared).  -1 when either is
// not there.
int IsXWindowAbove(unsigned long upper, unsigned long lower);
