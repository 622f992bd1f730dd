/* The control: imports VERSION.dll the ordinary way, so a VERSION.dll beside it is
 * loaded. If its stand-in leaves no marker, the planting test proves nothing. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    (void)instance, (void)previous, (void)command, (void)show;
    return GetFileVersionInfoSizeW(L"kernel32.dll", NULL) > 0 ? 0 : 1;
}
