#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "host/CommandLine.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {
namespace {

using Arguments = std::vector<std::string>;

// Blanks and control characters separate; quotes group and are dropped, an open one runs to the
// end; bytes above 127 are ordinary and a zero ends the line.
TEST(SplitCommandLineTest, BlanksSeparateAndQuotesGroup) {
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

    void ExpectParsed(TSaverMode mode, platform::HWND parent, bool caller,
                      std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            Parse(line);
            EXPECT_EQ(SaverMode(), mode) << line;
            EXPECT_EQ(ParentWindow(), parent) << line;
            EXPECT_EQ(CallerWindow(), caller ? foreground_ : 0u) << line;
        }
    }

    platform::headless::HeadlessBackend backend_;
    platform::HWND foreground_ = 0;
};

// What each command line selects: the mode, the parent window read from it, and whether the
// foreground window was taken as the caller.
TEST_F(ParseCommandLineTest, EachKeySelectsItsModeAndReadsWhatItTakes) {
    // C: configure, the foreground window as the caller; "C:1234" is another key.
    ExpectParsed(smConfigure, 0, true, {"/c", "-C", "xc", "/c 1234"});
    // Every other key, and P or A without a handle, is the saver; a non-ASCII letter is no "C".
    ExpectParsed(smSaver, 0, true,
                 {"/c:1234", "/s", "-S", "/x", "s", "/saver", "/p", "/a", "/Q1", "\"\"", "/\xe3"});
    // P: the preview in the window given in decimal or $hex; 0 when it is no handle.
    ExpectParsed(smPreview, 4660, false,
                 {"/p 4660", "/P $1234", "-p \"  +4660\"", "/p $001234 more"});
    ExpectParsed(smPreview, 0, false, {"/p 0", "/p abc", "/p $", "/p +", "/p -", "/p 2147483648"});
    // A: change the password for the window given; the integer is the handle unchanged.
    ExpectParsed(smChangePassword, 0xFFFFFFFFu, false, {"/a -1"});
    ExpectParsed(smChangePassword, 0, false, {"/a 12x"});
    // Q: the test preview whatever follows.
    ExpectParsed(smTestPreview, 0, false, {"/q", "-Q 4660 extra", "qq"});
    ExpectParsed(smAbout, 0, false, {""});
}

TEST_F(ParseCommandLineTest, AParseForgetsTheValuesOfTheLastOne) {
    Parse("/p 77");
    Parse("/s");
    EXPECT_EQ(ParentWindow(), 0u);
    Parse("/c");
    Parse("/q");
    EXPECT_EQ(CallerWindow(), 0u);
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
