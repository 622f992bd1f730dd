#include "message_loop.h"

void dispatchMessage(HWND window, MSG &message)
{
    if (IsWindow(window) && IsDialogMessageW(window, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop(HWND window)
{
    // The loop ends with the window as well as with WM_QUIT: a modal loop of the system's
    // own can take the quit message that WM_DESTROY posts (Wine's move loop, which
    // Alt+Space, Move starts, does), and the program would then wait without a window.
    MSG message{};
    while (IsWindow(window)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            return static_cast<int>(message.wParam);
        dispatchMessage(window, message);
    }
    return 0;
}

void handlePendingMessages(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for whoever asks next
            return;
        }
        dispatchMessage(window, message);
    }
}
