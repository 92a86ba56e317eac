#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "host/CommandLine.h"
#include "host/HandleNumber.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

using Arguments = std::vector<std::string>;

// Decimal with an optional sign that fits a signed 32-bit integer, or $hex in either case up to
// 32 bits; leading blanks are skipped and nothing may follow.
TEST(HandleNumberTest, DecimalOrDollarHexWithNothingAround) {
    EXPECT_EQ(ParseHandleNumber("+4660"), 4660u);
    EXPECT_EQ(ParseHandleNumber("0"), 0u);
    EXPECT_EQ(ParseHandleNumber("2147483647"), 0x7FFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("-2147483648"), 0x80000000u);
    EXPECT_EQ(ParseHandleNumber("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("000000000000000000042"), 42u);
    EXPECT_EQ(ParseHandleNumber("$abcDEF"), 0xABCDEFu);
    EXPECT_EQ(ParseHandleNumber("$FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("$0000000000FF"), 0xFFu);
    EXPECT_EQ(ParseHandleNumber("   12"), 12u);
    EXPECT_EQ(ParseHandleNumber("  $1f"), 0x1Fu);
    for (const char* text : {"2147483648", "-2147483649", "$100000000", "$", "$12g", "-$12", "$-12",
                             "0x12", "12 ", "12x", "\t12", "- 12", "", "    ", "+", "-", "1\xb2"}) {
        EXPECT_EQ(ParseHandleNumber(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(ParseHandleNumber(std::string(400, '9')), std::nullopt);
}

// Blanks and control characters separate; quotes group and are dropped, an open one runs to the
// end; bytes above 127 are ordinary and a zero ends the line. The program name is no argument.
TEST(CommandLineTest, BlanksSeparateQuotesGroupAndTheProgramNameIsNotCounted) {
    EXPECT_EQ(SplitCommandLine("saver.scr /p\t4660"), (Arguments{"saver.scr", "/p", "4660"}));
    EXPECT_EQ(SplitCommandLine("  a \x01\x1f\r\n b  "), (Arguments{"a", "b"}));
    EXPECT_EQ(SplitCommandLine(" \t "), Arguments{});
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\va.scr\" /s"),
              (Arguments{"C:\\Program Files\\va.scr", "/s"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d e"), (Arguments{"ab cd", "e"}));
    EXPECT_EQ(SplitCommandLine("x \"\" y"), (Arguments{"x", "", "y"}));
    EXPECT_EQ(SplitCommandLine("x \"open to the end"), (Arguments{"x", "open to the end"}));
    EXPECT_EQ(SplitCommandLine("x \xe9t\xe9 \xff"), (Arguments{"x", "\xe9t\xe9", "\xff"}));
    EXPECT_EQ(SplitCommandLine(std::string("x /c\0 /s", 8)), (Arguments{"x", "/c"}));

    const CommandLine line = CommandLine::FromRaw("va.scr /p 12");
    EXPECT_EQ(line.Count(), 2u);
    EXPECT_EQ(line.Argument(0), "va.scr");
    EXPECT_EQ(line.Argument(2), "12");
    EXPECT_EQ(line.Argument(3), "");
    EXPECT_EQ(CommandLine().Count(), 0u);
    const char* argv[] = {"va", "/p", "$12 34"};
    const CommandLine fromArgv = CommandLine::FromArgv(3, argv);
    EXPECT_EQ(fromArgv.Count(), 2u);
    EXPECT_EQ(fromArgv.Argument(2), "$12 34") << "argv elements are taken as they are";
}

// What each command line selects: the mode, the parent window and whether the foreground window
// is the caller. The lines run one after the other, so each parse must forget the one before.
TEST(ParseCommandLineTest, EachKeySelectsItsModeAndReadsWhatItTakes) {
    platform::headless::HeadlessBackend backend;
    const platform::HWND foreground = backend.AddForeignWindow("Desk", "Display", {0, 0, 400, 300});
    platform::SetForegroundWindow(foreground);
    auto expectParsed = [&](TSaverMode mode, platform::HWND parent, bool caller,
                            std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            ParseCommandLine(CommandLine::FromRaw(std::string("va.scr ") + line));
            EXPECT_EQ(SaverMode(), mode) << line;
            EXPECT_EQ(ParentWindow(), parent) << line;
            EXPECT_EQ(CallerWindow(), caller ? foreground : 0u) << line;
        }
    };
    // P: the preview in the window given in decimal or $hex; 0 when it is no handle.
    expectParsed(smPreview, 4660, false,
                 {"/p 4660", "/P $1234", "-p \"  +4660\"", "/p $001234 more"});
    // C: configure, the foreground window as the caller; "C:1234" is another key.
    expectParsed(smConfigure, 0, true, {"/c", "-C", "xc", "/c 1234"});
    // Every other key, and P or A without a handle, is the saver; a non-ASCII letter is no "C".
    expectParsed(smSaver, 0, true,
                 {"/c:1234", "/s", "-S", "/x", "s", "/saver", "/p", "/a", "/Q1", "\"\"", "/\xe3"});
    expectParsed(smPreview, 0, false, {"/p 0", "/p abc", "/p 2147483648"});
    // A: change the password for the window given; the integer is the handle unchanged.
    expectParsed(smChangePassword, 0xFFFFFFFFu, false, {"/a -1"});
    // Q: the test preview whatever follows.
    expectParsed(smTestPreview, 0, false, {"/q", "-Q 4660 extra", "qq"});
    expectParsed(smChangePassword, 0, false, {"/a 12x"});
    expectParsed(smAbout, 0, false, {""});
}

}  // namespace
}  // namespace host
