/* The baseline: a program that imports the KnownDLLs the calculator imports and
 * nothing else. What its run loads from beside it is what Wine's own DLLs pull in
 * for any program. */
#include <winsock2.h>
#include <windows.h>
#include <commdlg.h>
#include <imm.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shellscalingapi.h>
#include <shlwapi.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    (void)instance, (void)previous, (void)command, (void)show;
    HKEY key = NULL;
    PROCESS_DPI_AWARENESS awareness;
    int used = RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key) /* advapi32 */
               + (int)CommDlgExtendedError()                                  /* comdlg32 */
               + (GetStockObject(WHITE_BRUSH) != NULL)                        /* gdi32 */
               + (ImmGetDefaultIMEWnd(NULL) != NULL)                          /* imm32 */
               + abs(-1)                                                      /* msvcrt */
               + (int)CoInitialize(NULL)                                      /* ole32 */
               + (int)SysStringLen(NULL)                                      /* oleaut32 */
               + (int)GetProcessDpiAwareness(NULL, &awareness)                /* shcore */
               + (int)(INT_PTR)ShellExecuteW(NULL, NULL, NULL, NULL, NULL, 0) /* shell32 */
               + PathIsRelativeW(L"a")                                        /* shlwapi */
               + GetSystemMetrics(SM_CXSCREEN)                                /* user32 */
               + WSAGetLastError();                                           /* ws2_32 */
    if (key)
        RegCloseKey(key);
    return used == 12345 ? 1 : 0;
}
