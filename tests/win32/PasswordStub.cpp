// A stand-in for the system's password libraries. VerifyScreenSavePwd accepts exactly when its
// parent is a window; PwdChangePasswordA answers 1 for the password set "SCRSAVE" with a window
// as parent and null data, 2 otherwise, so a test can see every argument arrived.
#include <windows.h>

#include <cstring>

extern "C" {

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND parent) {
    return IsWindow(parent) ? TRUE : FALSE;
}

__declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR passwordSet, HWND parent, DWORD reserved, LPVOID data) {
    bool expected = std::strcmp(passwordSet, "SCRSAVE") == 0 && IsWindow(parent) && reserved == 0 &&
                    data == nullptr;
    return expected ? 1 : 2;
}

__declspec(dllexport) int UnknownExport(int value) {
    return value;
}
}
