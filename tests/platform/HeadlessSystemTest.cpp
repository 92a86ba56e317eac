#include <gtest/gtest.h>

#include <vector>

#include "base/Exceptions.h"
#include "gfx/Raster.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace platform {
namespace {

using headless::HeadlessBackend;
using headless::PresentedRect;

TEST(HeadlessPaintTest, ShowingInvalidatesAndThePaintErasesWithTheClassBrush) {
    HeadlessBackend backend;
    WNDCLASS windowClass;
    windowClass.lpszClassName = "Black";
    windowClass.background = gfx::kBlack;
    RegisterClassA(windowClass);
    HWND hwnd = CreateWindowExA(0, "Black", "", WS_POPUP, 0, 0, 4, 3, 0);
    WindowSurface(hwnd).Fill(gfx::kWhite);
    backend.RunFor(0);
    EXPECT_TRUE(backend.Presented().empty()) << "a hidden window is not painted";
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    backend.RunFor(0);
    EXPECT_EQ(WindowSurface(hwnd).GetPixel(3, 2), gfx::kBlack);
    EXPECT_EQ(backend.Presented(), (std::vector<PresentedRect>{{hwnd, {0, 0, 4, 3}}}));
    backend.ClearPresented();
    PresentRect(hwnd, {2, -2, 20, 3});  // recorded as clipped to the client area
    PresentRect(hwnd, {20, 20, 30, 30});
    EXPECT_EQ(backend.Presented(), (std::vector<PresentedRect>{{hwnd, {2, 0, 4, 3}}}));
}

TEST(HeadlessPaintTest, DrawIconLeavesTheTransparentPixelsAlone) {
    HeadlessBackend backend;
    Icon icon{gfx::Bitmap(2, 1), gfx::Bitmap(2, 1, gfx::PixelFormat::Mono)};
    icon.image.SetPixel(0, 0, 0x00AA5500);
    icon.image.SetPixel(1, 0, gfx::kBlack);
    icon.mask.SetPixel(0, 0, gfx::kBlack);  // opaque
    icon.mask.SetPixel(1, 0, gfx::kWhite);  // transparent
    backend.AddIcon(icon);
    gfx::Bitmap target(3, 1);
    target.Fill(0x00123456);
    EXPECT_EQ(ExtractIconA(1), 0u);
    DrawIcon(target.GetCanvas(), 1, 0, ExtractIconA(0));
    EXPECT_EQ(target.GetPixel(0, 0), 0x00123456u);
    EXPECT_EQ(target.GetPixel(1, 0), 0x00AA5500u);
    EXPECT_EQ(target.GetPixel(2, 0), 0x00123456u);
}

TEST(HeadlessSystemTest, ScreenMetricsAndTheSnapshotFollowTheDesktopPicture) {
    HeadlessBackend backend;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    gfx::Bitmap desktop(800, 600);
    desktop.Fill(0x00336699);
    backend.SetDesktopPicture(desktop);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    gfx::Bitmap shot = CaptureScreen();
    EXPECT_EQ(shot.GetPixel(799, 599), 0x00336699u);
    EXPECT_THROW(backend.SetScreenSize(0, 10), base::Exception);
}

TEST(HeadlessSystemTest, SettingsValuesAreAbsentADwordOrAnotherType) {
    HeadlessBackend backend;
    const std::string key = "Control Panel\\desktop";
    EXPECT_EQ(RegReadValue(key, "ScreenSaveUsePassword").kind, RegValueKind::Absent);
    backend.SetRegValue(key, "ScreenSaveUsePassword", {RegValueKind::Dword, 1});
    RegValue value = RegReadValue("control panel\\Desktop", "screensaveusepassword");
    EXPECT_EQ(value.kind, RegValueKind::Dword);
    EXPECT_EQ(value.dword, 1u);
    backend.SetRegValue(key, "ScreenSaveUsePassword", {RegValueKind::Other, 0});
    EXPECT_EQ(RegReadValue(key, "ScreenSaveUsePassword").kind, RegValueKind::Other);
}

TEST(HeadlessSystemTest, LibrariesLoadByPathAndHandOutTheirEntryPoints) {
    HeadlessBackend backend;
    backend.SetSystemDirectory("C:\\WINNT\\SYSTEM32");
    std::vector<EntryArgument> passed;
    backend.AddLibrary("C:\\WINNT\\SYSTEM32\\MPR.DLL",
                       {{"PwdChangePasswordA", [&passed](const std::vector<EntryArgument>& args) {
                             passed = args;
                             return 0u;
                         }}});
    EXPECT_EQ(GetSystemDirectoryA(), "C:\\WINNT\\SYSTEM32");
    EXPECT_EQ(LoadLibraryA("C:\\WINNT\\SYSTEM32\\PASSWORD.CPL"), 0u);
    HMODULE module = LoadLibraryA("c:\\winnt\\system32\\mpr.dll");
    ASSERT_NE(module, 0u);
    EXPECT_FALSE(GetProcAddress(module, "pwdchangepassworda"));
    EntryPoint entry = GetProcAddress(module, "PwdChangePasswordA");
    ASSERT_TRUE(entry);
    entry({std::string("SCRSAVE"), uint32_t{0x1234}, uint32_t{0}, uint32_t{0}});
    ASSERT_EQ(passed.size(), 4u);
    EXPECT_EQ(std::get<std::string>(passed[0]), "SCRSAVE");
    EXPECT_EQ(std::get<uint32_t>(passed[1]), 0x1234u);
    EXPECT_EQ(backend.OpenLibraries(), 1);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(backend.OpenLibraries(), 0);
    EXPECT_EQ(backend.LibraryLoads("C:\\WINNT\\SYSTEM32\\MPR.DLL"), 1);
    EXPECT_FALSE(GetProcAddress(module, "PwdChangePasswordA")) << "a freed library has none";
}

TEST(HeadlessSystemTest, WithoutABackendTheCallsFailWithAMessage) {
    EXPECT_FALSE(HasBackend());
    EXPECT_THROW(GetTickCount(), base::Exception);
    {
        HeadlessBackend backend;
        EXPECT_TRUE(HasBackend());
    }
    EXPECT_FALSE(HasBackend());
}

}  // namespace
}  // namespace platform
