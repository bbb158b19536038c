// A library planted beside a program: as it loads, it leaves a file beside
// itself named as itself with ".loaded" added. It needs no library but
// Windows' own, so nothing keeps it from loading where it is found.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t mark[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return TRUE;
    lstrcpyW(mark + length, L".loaded");
    CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return TRUE;
}
