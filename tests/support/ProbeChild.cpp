// A small program the launch tests start: it writes its current folder, as
// GBK, into "ran.txt" in that folder, and its command line after it.
#include <windows.h>

#include <string>

int main()
{
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    std::wstring text = std::wstring(folder) + L"\n" + GetCommandLineW();
    char bytes[4 * MAX_PATH * 2] = {};
    const int length = WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), bytes,
                                           static_cast<int>(sizeof(bytes)), nullptr, nullptr);
    const HANDLE file = CreateFileW(L"ran.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
    return 7;
}
