#pragma once
// The two routines around the desktop's password services: the check before the saver ends
// and the change of the password. Neither keeps or compares a password; both load the system
// library anew at each call and unload it before returning.

#include <string>

#include "platform/platform.h"

namespace host {

inline constexpr const char* kDesktopSettingsKey = "Control Panel\\desktop";
inline constexpr const char* kUsePasswordValue = "ScreenSaveUsePassword";
inline constexpr const char* kVerifyLibrary = "PASSWORD.CPL";
inline constexpr const char* kVerifyEntry = "VerifyScreenSavePwd";
inline constexpr const char* kChangeLibrary = "MPR.DLL";
inline constexpr const char* kChangeEntry = "PwdChangePasswordA";
inline constexpr const char* kPasswordSetName = "SCRSAVE";
// The system directory with a separator at its end: a backslash is appended unless it already
// ends in a backslash or a slash. Empty when the system gives no directory.
std::string SystemFolder();

// True when the desktop demands the saver password: the settings value is a 32-bit integer
// other than 0. Absent, or of another type, means no password, so the saver can always end.
bool PasswordDemanded();

// True when the saver may end. Asks the system's dialog, owned by parent, only when the
// desktop demands a password and the library and its entry point exist; the pointer's display
// count is raised for the dialog and lowered again whatever happens. A dialog that fails with
// an exception counts as a refusal.
bool VerifyPassword(platform::HWND parent);

// Shows the system's password-change dialog owned by ParentWindow. Reports nothing.
void ChangePassword();

}  // namespace host
