#include <windows.h>

#include "StartUp.h"

// The command line and the show command are not used: the program has no options.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    app::ExitApplication(app::RunApplication(instance));
}
