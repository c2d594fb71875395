// The program (the designer, or the editor in its build): its one
// application object and its entry point.
#include "shell/app/TallyformApp.h"

CTallyformApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, lpCmdLine, nCmdShow);
}
