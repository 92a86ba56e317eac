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

// What each command line selects: the mode, the parent window read from it, and whether the
// foreground window was taken as the caller.
struct Parsed {
    const char* line;
    TSaverMode mode;
    platform::HWND parent;
    bool caller;
};

TEST_F(ParseCommandLineTest, EachKeySelectsItsModeAndReadsWhatItTakes) {
    const Parsed cases[] = {
        {"", smAbout, 0, false},
        // C: configure, the foreground window as the caller; "C:1234" is another key.
        {"/c", smConfigure, 0, true},
        {"-C", smConfigure, 0, true},
        {"xc", smConfigure, 0, true},
        {"/c 1234", smConfigure, 0, true},
        {"/c:1234", smSaver, 0, true},
        // Every other key, and P or A without a handle, is the saver.
        {"/s", smSaver, 0, true},
        {"-S", smSaver, 0, true},
        {"/x", smSaver, 0, true},
        {"s", smSaver, 0, true},
        {"/saver", smSaver, 0, true},
        {"/p", smSaver, 0, true},
        {"/a", smSaver, 0, true},
        {"/Q1", smSaver, 0, true},
        {"\"\"", smSaver, 0, true},
        {"/\xe3", smSaver, 0, true},  // a non-ASCII letter is no "C"
        // P: the preview in the window given in decimal or $hex; 0 when it is no handle.
        {"/p 4660", smPreview, 4660, false},
        {"/P $1234", smPreview, 4660, false},
        {"-p \"  +4660\"", smPreview, 4660, false},
        {"/p $001234 more", smPreview, 4660, false},
        {"/p 0", smPreview, 0, false},
        {"/p abc", smPreview, 0, false},
        {"/p $", smPreview, 0, false},
        {"/p +", smPreview, 0, false},
        {"/p -", smPreview, 0, false},
        {"/p 2147483648", smPreview, 0, false},
        // A: change the password for the window given; the integer is the handle unchanged.
        {"/a -1", smChangePassword, 0xFFFFFFFFu, false},
        {"/a 12x", smChangePassword, 0, false},
        // Q: the test preview whatever follows.
        {"/q", smTestPreview, 0, false},
        {"-Q 4660 extra", smTestPreview, 0, false},
        {"qq", smTestPreview, 0, false},
    };
    for (const Parsed& expected : cases) {
        Parse(expected.line);
        EXPECT_EQ(SaverMode(), expected.mode) << expected.line;
        EXPECT_EQ(ParentWindow(), expected.parent) << expected.line;
        EXPECT_EQ(CallerWindow(), expected.caller ? foreground_ : 0u) << expected.line;
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

TEST(ModeKeyTest, OnlyAsciiLettersAreUpperCased) {
    EXPECT_EQ(ModeKey("/c\xe9z"), "C\xe9Z");
    EXPECT_EQ(ModeKey("/"), "");
    EXPECT_EQ(ModeKey(""), "");
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
