#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "host/Password.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

using platform::EntryArgument;
using platform::RegValue;
using platform::RegValueKind;

constexpr const char* kVerifyPath = "C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL";
constexpr const char* kChangePath = "C:\\WINDOWS\\SYSTEM\\MPR.DLL";
constexpr platform::HWND kSaverWindow = 0x2468;

class PasswordTest : public ::testing::Test {
  protected:
    void DemandPassword(uint32_t value) {
        backend_.SetRegValue("Control Panel\\desktop", "ScreenSaveUsePassword",
                             RegValue{RegValueKind::Dword, value});
    }

    // The system's check, answering `answer` and noting the pointer's count while it is up.
    void AddVerifier(uint32_t answer) {
        backend_.AddLibrary(kVerifyPath,
                            {{"VerifyScreenSavePwd", [this, answer](const auto& arguments) {
                                  verifyCalls_.push_back(arguments);
                                  cursorCountInDialog_ = backend_.CursorCount();
                                  return answer;
                              }}});
    }

    platform::headless::HeadlessBackend backend_;
    std::vector<std::vector<EntryArgument>> verifyCalls_;
    int cursorCountInDialog_ = 99;
};

// No value, the value 0 or a value of another type: no password, and nothing is loaded or
// shown for it.
TEST_F(PasswordTest, OnlyANonZeroDwordDemandsAPassword) {
    AddVerifier(0);
    EXPECT_TRUE(VerifyPassword(kSaverWindow));
    DemandPassword(0);
    EXPECT_TRUE(VerifyPassword(kSaverWindow));
    backend_.SetRegValue("Control Panel\\desktop", "ScreenSaveUsePassword",
                         RegValue{RegValueKind::Other, 1});
    EXPECT_TRUE(VerifyPassword(kSaverWindow));
    EXPECT_TRUE(verifyCalls_.empty());
    EXPECT_EQ(backend_.LibraryLoads(kVerifyPath), 0);
    EXPECT_EQ(backend_.CursorCount(), 0) << "the display count is untouched";
}

TEST_F(PasswordTest, ADemandedPasswordAsksTheSystemDialogWithThePointerShown) {
    AddVerifier(1);
    DemandPassword(1);
    backend_.ShowCursor(false);  // hidden over the saver
    EXPECT_TRUE(VerifyPassword(kSaverWindow));
    ASSERT_EQ(verifyCalls_.size(), 1u);
    EXPECT_EQ(verifyCalls_[0], (std::vector<EntryArgument>{uint32_t{kSaverWindow}}));
    EXPECT_EQ(cursorCountInDialog_, 0) << "raised from -1 for the dialog";
    EXPECT_EQ(backend_.CursorCount(), -1) << "and lowered again";
    VerifyPassword(kSaverWindow);
    EXPECT_EQ(backend_.LibraryLoads(kVerifyPath), 2) << "each check loads the library anew";
    EXPECT_EQ(backend_.OpenLibraries(), 0) << "and frees it";
}

// No library, no entry point, or no system directory to load it from: no password.
TEST_F(PasswordTest, AMissingLibraryOrEntryPointMeansNoPassword) {
    DemandPassword(1);
    EXPECT_TRUE(VerifyPassword(kSaverWindow)) << "no library";
    EXPECT_EQ(backend_.CursorCount(), 0);
    backend_.AddLibrary(kVerifyPath, {{"SomethingElse", [](const auto&) { return 0u; }}});
    EXPECT_TRUE(VerifyPassword(kSaverWindow)) << "no entry point";
    EXPECT_EQ(backend_.LibraryLoads(kVerifyPath), 1);
    EXPECT_EQ(backend_.OpenLibraries(), 0);
    EXPECT_EQ(backend_.CursorCount(), 0);
    backend_.SetSystemDirectory("");
    backend_.AddLibrary("PASSWORD.CPL", {{"VerifyScreenSavePwd", [](const auto&) { return 0u; }}});
    EXPECT_TRUE(VerifyPassword(kSaverWindow)) << "nothing is loaded from elsewhere";
    EXPECT_EQ(backend_.LibraryLoads("PASSWORD.CPL"), 0);
    EXPECT_EQ(backend_.LibraryLoads("\\PASSWORD.CPL"), 0);
}

// A refusal, or a dialog that fails, keeps the saver running with everything restored.
TEST_F(PasswordTest, ARefusedOrFailedDialogKeepsTheSaverRunning) {
    AddVerifier(0);
    DemandPassword(7);
    EXPECT_FALSE(VerifyPassword(kSaverWindow));
    EXPECT_EQ(verifyCalls_.size(), 1u);
    backend_.AddLibrary(kVerifyPath, {{"VerifyScreenSavePwd", [](const auto&) -> uint32_t {
                                           throw base::Exception("dialog broke");
                                       }}});
    EXPECT_FALSE(VerifyPassword(kSaverWindow));
    EXPECT_EQ(backend_.CursorCount(), 0);
    EXPECT_EQ(backend_.OpenLibraries(), 0);
}

TEST_F(PasswordTest, SystemFolderEndsInOneSeparator) {
    EXPECT_EQ(SystemFolder(), "C:\\WINDOWS\\SYSTEM\\");
    backend_.SetSystemDirectory("C:\\");
    EXPECT_EQ(SystemFolder(), "C:\\");
    backend_.SetSystemDirectory("/usr/lib/vellamor-autumn/");
    EXPECT_EQ(SystemFolder(), "/usr/lib/vellamor-autumn/");
    backend_.SetSystemDirectory("");
    EXPECT_EQ(SystemFolder(), "");
    const std::string deep = "C:\\" + std::string(300, 'd');
    backend_.SetSystemDirectory(deep);
    EXPECT_EQ(SystemFolder(), deep + "\\") << "a long directory is not cut to another path";
}

// Without the library or its entry point, or when the dialog fails, nothing happens.
TEST_F(PasswordTest, ChangePasswordCallsTheSystemDialogForTheSaverPasswordSet) {
    SetStartupValues(smChangePassword, 0x1234, 0);
    ChangePassword();
    backend_.AddLibrary(kChangePath, {});
    ChangePassword();
    EXPECT_EQ(backend_.LibraryLoads(kChangePath), 1);
    std::vector<std::vector<EntryArgument>> calls;
    backend_.AddLibrary(kChangePath, {{"PwdChangePasswordA", [&](const auto& arguments) {
                                           calls.push_back(arguments);
                                           return 0u;
                                       }}});
    ChangePassword();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::vector<EntryArgument>{std::string("SCRSAVE"), uint32_t{0x1234},
                                                    uint32_t{0}, uint32_t{0}}));
    EXPECT_EQ(backend_.OpenLibraries(), 0);
    EXPECT_EQ(backend_.CursorCount(), 0);
    backend_.AddLibrary(kChangePath, {{"PwdChangePasswordA", [](const auto&) -> uint32_t {
                                           throw base::Exception("no dialog today");
                                       }}});
    EXPECT_NO_THROW(ChangePassword());
    EXPECT_EQ(backend_.OpenLibraries(), 0);
}

}  // namespace
}  // namespace host
