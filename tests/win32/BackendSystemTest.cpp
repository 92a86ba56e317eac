// The Win32 backend's settings value, libraries, system directory, icons and cursor.
#include "BackendFixture.h"
#include "base/Exceptions.h"

namespace win32test {
namespace {

using SystemTest = BackendTest;

TEST_F(SystemTest, RegistryValuesReadAsDwordOtherOrAbsent) {
    WriteTestDword("ScreenSaveUsePassword", 1);
    WriteTestDword("Zero", 0);
    WriteTestString("Text", "1");
    RegValue one = RegReadValue(kTestKey, "ScreenSaveUsePassword");
    EXPECT_EQ(one.kind, RegValueKind::Dword);
    EXPECT_EQ(one.dword, 1u);
    EXPECT_EQ(RegReadValue(kTestKey, "Zero").kind, RegValueKind::Dword);
    EXPECT_EQ(RegReadValue(kTestKey, "Zero").dword, 0u);
    EXPECT_EQ(RegReadValue(kTestKey, "Text").kind, RegValueKind::Other);
    EXPECT_EQ(RegReadValue(kTestKey, "Missing").kind, RegValueKind::Absent);
    EXPECT_EQ(RegReadValue(kTestKey + "\\NoSuchKey", "Zero").kind, RegValueKind::Absent);
}

TEST_F(SystemTest, TheSystemDirectoryIsAWholePathWithoutTrailingBackslash) {
    std::string directory = GetSystemDirectoryA();
    ASSERT_GE(directory.size(), 4u);
    EXPECT_EQ(directory[1], ':');
    EXPECT_NE(directory.back(), '\\');
    HMODULE user32 = LoadLibraryA(directory + "\\user32.dll");
    EXPECT_NE(user32, 0u);
    EXPECT_TRUE(FreeLibrary(user32));
}

// The stand-in password library (PasswordStub.cpp) answers so that every argument is seen.
TEST_F(SystemTest, PasswordEntryPointsGetTheirArgumentsWhileTheLibraryIsLoaded) {
    HWND parent = MakeWindow(PassOn, {0, 0, 20, 20});
    HMODULE library = LoadLibraryA(OwnFolder() + "password_stub.dll");
    ASSERT_NE(library, 0u);
    EntryPoint verify = GetProcAddress(library, "VerifyScreenSavePwd");
    EntryPoint change = GetProcAddress(library, "PwdChangePasswordA");
    ASSERT_TRUE(verify && change);
    EXPECT_EQ(verify({parent}), 1u);
    EXPECT_EQ(verify({uint32_t{0}}), 0u);
    EXPECT_THROW(verify({}), base::Exception);
    EXPECT_THROW(verify({std::string("text")}), base::Exception);
    EXPECT_EQ(change({std::string("SCRSAVE"), parent, uint32_t{0}, uint32_t{0}}), 1u);
    EXPECT_EQ(change({std::string("OTHER"), parent, uint32_t{0}, uint32_t{0}}), 2u);
    EXPECT_THROW(change({std::string("SCRSAVE"), parent, uint32_t{0}, uint32_t{5}}),
                 base::Exception);
    EXPECT_THROW(change({parent, parent, uint32_t{0}, uint32_t{0}}), base::Exception);
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_THROW(verify({parent}), base::Exception);  // its library is gone
    EXPECT_FALSE(FreeLibrary(library));
}

TEST_F(SystemTest, MissingLibrariesAndEntryPointsAreNoneUnknownOnesRefused) {
    EXPECT_EQ(LoadLibraryA(OwnFolder() + "no_such_library.dll"), 0u);
    HMODULE library = LoadLibraryA(OwnFolder() + "password_stub.dll");
    ASSERT_NE(library, 0u);
    EXPECT_FALSE(GetProcAddress(library, "NoSuchEntry"));
    EXPECT_THROW(GetProcAddress(library, "UnknownExport"), base::Exception);
    EXPECT_FALSE(GetProcAddress(library + 100, "VerifyScreenSavePwd"));
    FreeLibrary(library);
}

TEST_F(SystemTest, TheProgramsIconsAreFoundByIndexWithTheirMasks) {
    int32_t size = GetSystemMetrics(SM_CXICON);
    for (uint32_t index = 0; index <= 5; ++index) {
        HICON icon = ExtractIconA(index);
        ASSERT_NE(icon, 0u) << "icon " << index;
        EXPECT_EQ(ExtractIconA(index), icon);
        const Icon* pictures = IconPictures(icon);
        ASSERT_NE(pictures, nullptr);
        EXPECT_EQ(pictures->image.Width(), size);
        EXPECT_EQ(pictures->mask.Height(), size);
        EXPECT_TRUE(pictures->mask.Monochrome());
        // Corners are outside the leaf: transparent, black in the picture.
        EXPECT_EQ(pictures->mask.GetPixel(0, 0), gfx::kWhite);
        EXPECT_EQ(pictures->image.GetPixel(0, 0), gfx::kBlack);
        EXPECT_EQ(pictures->mask.GetPixel(size / 2, size / 2), gfx::kBlack);
        EXPECT_NE(pictures->image.GetPixel(size / 2, size / 2), gfx::kBlack);
    }
    const Icon* first = IconPictures(ExtractIconA(1));
    const Icon* second = IconPictures(ExtractIconA(2));
    int32_t middle = size / 2;
    EXPECT_NE(first->image.GetPixel(middle + 4, middle), second->image.GetPixel(middle + 4, middle))
        << "the leaf icons differ";
    EXPECT_EQ(ExtractIconA(6), 0u);
    EXPECT_EQ(IconPictures(0), nullptr);
}

TEST_F(SystemTest, AnAnswerBeyondThirtyTwoBitsIsNotTakenForZero) {
    if (sizeof(void*) == 4) {
        GTEST_SKIP() << "a 32-bit system's answers have 32 bits";
    }
    const HWND other = MakeWideAnsweringWindow();
    ASSERT_NE(other, 0u);
    EXPECT_NE(SendMessageA(other, WM_USER, 0, 0), 0);
    DestroyForeign(other);
}

TEST_F(SystemTest, TheCursorIsTheProgramsOverItsWindows) {
    HWND hwnd = MakeWindow(PassOn, {0, 0, 50, 50});
    SetCursor(CursorShape::None);
    EXPECT_FALSE(ArrowCursorShown());
    const uintptr_t none = CursorShown();
    PointerMovesOver(hwnd);
    EXPECT_EQ(CursorShown(), none);
    SetCursor(CursorShape::Arrow);
    EXPECT_TRUE(ArrowCursorShown());
    PointerMovesOver(hwnd);
    EXPECT_TRUE(ArrowCursorShown());
}

}  // namespace
}  // namespace win32test
