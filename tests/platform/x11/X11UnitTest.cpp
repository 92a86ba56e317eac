// The parts of the X backend that need no display: settings file, libraries, window ids,
// pixel layouts, key symbols and the SIGTERM pipe.
#include "platform/platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <pwd.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/Exceptions.h"
#include "platform/x11/DaemonWindow.h"
#include "platform/x11/KeyMap.h"
#include "platform/x11/Libraries.h"
#include "platform/x11/PixelLayout.h"
#include "platform/x11/SettingsFile.h"
#include "platform/x11/SignalPipe.h"
#include "platform/x11/X11Backend.h"

namespace platform::x11 {
namespace {

constexpr const char* kDesktop = "Control Panel\\desktop";

// A number is a DWORD whatever the case and spacing; text or a number past 32 bits is another
// type; a missing value, section or file is absent.
TEST(SettingsFileTest, ValuesAreDwordsOtherOrAbsent) {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("va-settings-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::path file = folder / "settings";
    std::ofstream(file) << "# comment\n\n  screensaveusepassword = 1 \nOther=5\n"
                           "Text=yes\nBig=4294967296\nNegative=-1\n";
    RegValue value = ReadSetting(file, kDesktop, "ScreenSaveUsePassword");
    EXPECT_EQ(value.kind, RegValueKind::Dword);
    EXPECT_EQ(value.dword, 1u);
    EXPECT_EQ(ReadSetting(file, "control panel\\DESKTOP", "other").dword, 5u);
    for (const char* name : {"Text", "Big", "Negative"}) {
        EXPECT_EQ(ReadSetting(file, kDesktop, name).kind, RegValueKind::Other) << name;
    }
    EXPECT_EQ(ReadSetting(file, kDesktop, "Missing").kind, RegValueKind::Absent);
    EXPECT_EQ(ReadSetting(file, "Control Panel\\Colors", "Big").kind, RegValueKind::Absent);
    EXPECT_EQ(ReadSetting(folder / "none", kDesktop, "Big").kind, RegValueKind::Absent);
    std::filesystem::remove_all(folder);
}

// Never a path relative to the folder the program runs in: without an absolute $HOME the
// password database's home folder counts.
TEST(SettingsFileTest, ThePathFollowsXdgConfigHomeThenHomeThenTheUsersEntry) {
    const char* home = std::getenv("HOME");
    const std::optional<std::string> savedHome =
        home != nullptr ? std::optional<std::string>(home) : std::nullopt;
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(SettingsPath(), std::filesystem::path("/cfg/vellamor-autumn/settings"));
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the standard says
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(SettingsPath(), std::filesystem::path("/home/u/.config/vellamor-autumn/settings"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsPath(), std::filesystem::path("/home/u/.config/vellamor-autumn/settings"));
    const passwd* user = getpwuid(getuid());
    const std::filesystem::path entry =
        user != nullptr && user->pw_dir[0] == '/'
            ? std::filesystem::path(user->pw_dir) / ".config" / "vellamor-autumn" / "settings"
            : std::filesystem::path();
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative"}) {
        SCOPED_TRACE(unusable == nullptr ? "unset" : unusable);
        if (unusable == nullptr) {
            unsetenv("HOME");
        } else {
            setenv("HOME", unusable, 1);
        }
        EXPECT_EQ(SettingsPath(), entry);
        EXPECT_TRUE(SettingsPath().empty() || SettingsPath().is_absolute());
    }
    if (savedHome) {
        setenv("HOME", savedHome->c_str(), 1);
    } else {
        unsetenv("HOME");
    }
}

// Desktop library names become shared objects in the same folder; the system directory comes
// from the environment when that names an absolute folder, and ends in a slash.
TEST(LibrariesTest, LibraryNamesAndTheSystemDirectoryBecomeLinuxPaths) {
    EXPECT_EQ(LinuxLibraryPath("/usr/lib/va/PASSWORD.CPL"), "/usr/lib/va/password.so");
    EXPECT_EQ(LinuxLibraryPath("/usr/lib/va/\\MPR.DLL"), "/usr/lib/va/mpr.so");
    EXPECT_EQ(LinuxLibraryPath("C:\\WINDOWS\\SYSTEM\\MPR.DLL"), "C:/WINDOWS/SYSTEM/mpr.so");
    setenv("VELLAMOR_SYSTEM_DIR", "/opt/va", 1);
    EXPECT_EQ(SystemDirectory(), "/opt/va/");
    for (const char* relative : {".", "plugins", "x/.."}) {
        setenv("VELLAMOR_SYSTEM_DIR", relative, 1);
        EXPECT_EQ(SystemDirectory(), "/usr/lib/vellamor-autumn/") << relative;
    }
    unsetenv("VELLAMOR_SYSTEM_DIR");
    EXPECT_EQ(SystemDirectory(), "/usr/lib/vellamor-autumn/");
}

TEST(LibrariesTest, ThePasswordEntryPointsAreCalledWithTheirArguments) {
    LibraryTable libraries;
    std::string folder = VA_X11_STUB_DIR;
    HMODULE verify = libraries.Load(folder + "/PASSWORD.CPL");
    ASSERT_NE(verify, 0u);
    EntryPoint entry = libraries.Lookup(verify, "VerifyScreenSavePwd");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry({uint32_t{7}}), 1u);
    EXPECT_EQ(entry({uint32_t{8}}), 0u);
    EXPECT_THROW(entry({}), base::Exception);
    EXPECT_THROW(entry({std::string("x")}), base::Exception);
    EXPECT_FALSE(libraries.Lookup(verify, "NoSuchEntry"));
    EXPECT_FALSE(libraries.Lookup(verify, "verifyscreensavepwd"));  // names are exact

    HMODULE change = libraries.Load(folder + "\\MPR.DLL");
    ASSERT_NE(change, 0u);
    EntryPoint changer = libraries.Lookup(change, "PwdChangePasswordA");
    ASSERT_TRUE(changer);
    EXPECT_EQ(changer({std::string("SCRSAVE"), uint32_t{5}, uint32_t{1}, uint32_t{2}}), 7215u);
    EXPECT_THROW(changer({uint32_t{1}, uint32_t{5}, uint32_t{0}, uint32_t{0}}), base::Exception);
    EXPECT_TRUE(libraries.Free(change));
    EXPECT_FALSE(libraries.Free(change));
    EXPECT_FALSE(libraries.Lookup(change, "PwdChangePasswordA"));
    EXPECT_EQ(libraries.Load(folder + "/MISSING.DLL"), 0u);
}

// Window ids are decimal or hexadecimal; the command line comes before the environment.
TEST(DaemonWindowTest, WindowIdsAreParsedFromTheCommandLineOrTheEnvironment) {
    EXPECT_EQ(ParseWindowId("4660"), 4660u);
    EXPECT_EQ(ParseWindowId("0x1234"), 0x1234u);
    EXPECT_EQ(ParseWindowId("0XaBc"), 0xABCu);
    for (const char* bad : {"", "0", "0x", "12x", "-5", "4294967296", "0x100000000", " 1"}) {
        EXPECT_THROW(ParseWindowId(bad), base::Exception) << bad;
    }
    std::vector<std::string> plain{"saver", "-root"};
    EXPECT_EQ(DaemonWindowFrom(plain, nullptr), std::nullopt);
    EXPECT_EQ(DaemonWindowFrom(plain, ""), std::nullopt);
    EXPECT_EQ(DaemonWindowFrom(plain, "0x2a"), 42u);
    EXPECT_EQ(DaemonWindowFrom({"saver", "/s", "-window-id", "77"}, "0x2a"), 77u);
    EXPECT_THROW(DaemonWindowFrom({"saver", "-window-id"}, nullptr), base::Exception);
    EXPECT_THROW(DaemonWindowFrom(plain, "window"), base::Exception);
}

// Each SIGTERM is taken once, and one that no pipe took is not seen by the next pipe.
TEST(SignalPipeTest, ASignalIsTakenOnceAndOnlyByThePipeItCameTo) {
    {
        SignalPipe pipe;
        EXPECT_FALSE(pipe.TakeSignal());
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_TRUE(pipe.TakeSignal());
        EXPECT_FALSE(pipe.TakeSignal());
        ASSERT_EQ(std::raise(SIGTERM), 0);  // left untaken
    }
    SignalPipe next;
    EXPECT_FALSE(next.TakeSignal());
}

TEST(ConnectionTest, ADisplayThatCannotBeOpenedIsNamedInTheFailure) {
    X11Options options;
    options.display = ":4987";
    EXPECT_THAT([&] { X11Backend backend(options); },
                ::testing::ThrowsMessage<base::Exception>(::testing::HasSubstr("\":4987\"")));
}

TEST(PixelLayoutTest, TheCommonLayoutIsNativeAndOthersAreConverted) {
    PixelLayout native(0xFF0000, 0xFF00, 0xFF);
    EXPECT_TRUE(native.IsNative());
    EXPECT_EQ(native.Pack(0x123456), 0x123456u);
    EXPECT_EQ(native.Unpack(0xFF123456), 0x123456u);
    PixelLayout rgb565(0xF800, 0x07E0, 0x001F);
    EXPECT_FALSE(rgb565.IsNative());
    EXPECT_EQ(rgb565.Pack(0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(rgb565.Pack(0xFF0000), 0xF800u);
    EXPECT_EQ(rgb565.Unpack(0xF800), 0xFF0000u);
    EXPECT_EQ(rgb565.Unpack(0x07E0), 0x00FF00u);
    PixelLayout bgr(0xFF, 0xFF00, 0xFF0000);
    EXPECT_EQ(bgr.Pack(0x112233), 0x332211u);
}

TEST(KeyMapTest, KeySymbolsBecomeVirtualKeys) {
    EXPECT_EQ(VirtualKeyOf(XK_a), static_cast<WPARAM>('A'));
    EXPECT_EQ(VirtualKeyOf(XK_Z), static_cast<WPARAM>('Z'));
    EXPECT_EQ(VirtualKeyOf(XK_7), static_cast<WPARAM>('7'));
    EXPECT_EQ(VirtualKeyOf(XK_F4), VK_F4);
    EXPECT_EQ(VirtualKeyOf(XK_Escape), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyOf(XK_Return), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(XK_Alt_L), VK_MENU);
    EXPECT_EQ(VirtualKeyOf(XK_KP_3), 0x63u);
    EXPECT_EQ(VirtualKeyOf(XK_eacute), kUnmappedKey);
    EXPECT_TRUE(IsAltKey(XK_Alt_R));
    EXPECT_FALSE(IsAltKey(XK_Control_L));
}

}  // namespace
}  // namespace platform::x11
