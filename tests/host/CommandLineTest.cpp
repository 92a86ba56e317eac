#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/CommandLine.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLineTest, ControlCharactersAndBlanksSeparate) {
    EXPECT_EQ(SplitCommandLine("saver.scr /p\t4660"), (Arguments{"saver.scr", "/p", "4660"}));
    EXPECT_EQ(SplitCommandLine("  a \x01\x1f\r\n b  "), (Arguments{"a", "b"}));
    EXPECT_EQ(SplitCommandLine(""), Arguments{});
    EXPECT_EQ(SplitCommandLine(" \t "), Arguments{});
}

TEST(SplitCommandLineTest, QuotesGroupAndAreDropped) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\va.scr\" /s"),
              (Arguments{"C:\\Program Files\\va.scr", "/s"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d e"), (Arguments{"ab cd", "e"}));
    EXPECT_EQ(SplitCommandLine("x \"\" y"), (Arguments{"x", "", "y"}));
    EXPECT_EQ(SplitCommandLine("x \"open to the end"), (Arguments{"x", "open to the end"}));
}

TEST(SplitCommandLineTest, BytesAbove127AreOrdinaryAndZeroEndsTheLine) {
    EXPECT_EQ(SplitCommandLine("x \xe9t\xe9 \xff"), (Arguments{"x", "\xe9t\xe9", "\xff"}));
    const std::string withZero("x /c\0 /s", 8);
    EXPECT_EQ(SplitCommandLine(withZero), (Arguments{"x", "/c"}));
}

TEST(CommandLineTest, CountsTheArgumentsAfterTheProgramName) {
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

class ParseCommandLineTest : public ::testing::Test {
  protected:
    ParseCommandLineTest() {
        foreground_ = backend_.AddForeignWindow("Desk", "Display", {0, 0, 400, 300});
        platform::SetForegroundWindow(foreground_);
    }

    void Parse(const std::string& arguments) {
        ParseCommandLine(CommandLine::FromRaw("va.scr " + arguments));
    }

    platform::headless::HeadlessBackend backend_;
    platform::HWND foreground_ = 0;
};

TEST_F(ParseCommandLineTest, NoArgumentIsTheAboutDialogWithoutCaller) {
    Parse("");
    EXPECT_EQ(SaverMode(), smAbout);
    EXPECT_EQ(CallerWindow(), 0u);
    EXPECT_EQ(ParentWindow(), 0u);
}

TEST_F(ParseCommandLineTest, KeyCSelectsConfigureAndRemembersTheForegroundWindow) {
    for (const char* line : {"/c", "-C", "xc", "/c 1234"}) {
        Parse(line);
        EXPECT_EQ(SaverMode(), smConfigure) << line;
        EXPECT_EQ(CallerWindow(), foreground_) << line;
    }
    Parse("/c:1234");
    EXPECT_EQ(SaverMode(), smSaver) << "the key is C:1234";
    EXPECT_EQ(CallerWindow(), foreground_);
}

TEST_F(ParseCommandLineTest, EveryOtherKeySelectsTheSaver) {
    for (const char* line : {"/s", "-S", "/x", "s", "/saver", "/p", "/a", "/Q1", "\"\""}) {
        Parse(line);
        EXPECT_EQ(SaverMode(), smSaver) << line;
        EXPECT_EQ(CallerWindow(), foreground_) << line;
        EXPECT_EQ(ParentWindow(), 0u) << line;
    }
}

TEST_F(ParseCommandLineTest, PreviewTakesTheHandleInDecimalOrHex) {
    for (const char* line : {"/p 4660", "/P $1234", "-p \"  +4660\"", "/p $001234 more"}) {
        Parse(line);
        EXPECT_EQ(SaverMode(), smPreview) << line;
        EXPECT_EQ(ParentWindow(), 4660u) << line;
        EXPECT_EQ(CallerWindow(), 0u) << line;
    }
}

TEST_F(ParseCommandLineTest, AnInvalidHandleGivesParentWindowZero) {
    for (const char* line : {"/p 0", "/p abc", "/p $", "/p +", "/p -", "/p 2147483648"}) {
        Parse(line);
        EXPECT_EQ(SaverMode(), smPreview) << line;
        EXPECT_EQ(ParentWindow(), 0u) << line;
    }
    Parse("/a 12x");
    EXPECT_EQ(SaverMode(), smChangePassword);
    EXPECT_EQ(ParentWindow(), 0u);
}

TEST_F(ParseCommandLineTest, ChangePasswordTakesTheHandle) {
    Parse("/a -1");
    EXPECT_EQ(SaverMode(), smChangePassword);
    EXPECT_EQ(ParentWindow(), 0xFFFFFFFFu) << "the integer is the handle unchanged";
    EXPECT_EQ(CallerWindow(), 0u);
}

TEST_F(ParseCommandLineTest, QSelectsTheTestPreviewWhateverFollows) {
    for (const char* line : {"/q", "-Q 4660 extra", "qq"}) {
        Parse(line);
        EXPECT_EQ(SaverMode(), smTestPreview) << line;
        EXPECT_EQ(ParentWindow(), 0u) << line;
        EXPECT_EQ(CallerWindow(), 0u) << line;
    }
}

TEST_F(ParseCommandLineTest, AParseForgetsTheValuesOfTheLastOne) {
    Parse("/p 77");
    Parse("/s");
    EXPECT_EQ(ParentWindow(), 0u);
    Parse("/c");
    Parse("/q");
    EXPECT_EQ(CallerWindow(), 0u);
}

TEST_F(ParseCommandLineTest, OnlyAsciiLettersAreUpperCased) {
    EXPECT_EQ(ModeKey("/c\xe9z"), "C\xe9Z");
    EXPECT_EQ(ModeKey("/"), "");
    EXPECT_EQ(ModeKey(""), "");
    Parse("/\xe3");  // a non-ASCII letter is no "C"
    EXPECT_EQ(SaverMode(), smSaver);
}

// Hostile command lines always give one of the six modes, and a handle only where one is read.
TEST_F(ParseCommandLineTest, AnyCommandLineGivesOneOfTheSixModes) {
    const std::vector<std::string> lines = {
        "",
        std::string(100000, 'x'),
        "/p " + std::string(5000, '9'),
        "/p $" + std::string(5000, 'F'),
        "/p $",
        "+",
        "-",
        "$",
        "/a \x01\x02\x03",
        "\xff\xfe\xfd \xc3\xa9",
        "/p \"" + std::string(300, ' ') + "12\"",
        std::string(64, '"'),
        "/p -2147483648",
        "/p 99999999999999999999999",
    };
    for (const std::string& line : lines) {
        Parse(line);
        EXPECT_GE(SaverMode(), smAbout) << line.substr(0, 40);
        EXPECT_LE(SaverMode(), smChangePassword) << line.substr(0, 40);
        if (SaverMode() != smPreview && SaverMode() != smChangePassword) {
            EXPECT_EQ(ParentWindow(), 0u) << line.substr(0, 40);
        }
    }
}

}  // namespace
}  // namespace host
