#include <windows.h>

#include "app/AppState.h"

// The command line and the show state are not used: the window centres
// itself and shows normally.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return StartUp(); }
