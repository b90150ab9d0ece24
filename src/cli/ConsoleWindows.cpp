#include "Console.h"

#include <windows.h>

void PrepareConsole()
{
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (err != INVALID_HANDLE_VALUE && GetConsoleMode(err, &mode))
        SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}
