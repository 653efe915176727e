#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
const uint32_t kForeground = 0x10086;

ParsedCommandLine Parse(std::string_view line)
{
    return ParseCommandLine(line, [] { return kForeground; });
}

void ExpectParsed(std::string_view line, StartMode mode, uint32_t window)
{
    ParsedCommandLine parsed = Parse(line);
    EXPECT_EQ(parsed.mode, mode) << line;
    EXPECT_EQ(parsed.window, window) << line;
}
} // namespace

TEST(OneShotCommands, SetDefaultAndInstallAreExactAndCaseSensitive)
{
    EXPECT_EQ(ClassifyFirstArgument("/setdef"), OneShotCommand::SetDefault);
    EXPECT_EQ(ClassifyFirstArgument("/ins"), OneShotCommand::Install);
    EXPECT_EQ(ClassifyFirstArgument("/SETDEF"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument("/INS"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument("/setdefault"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument("-setdef"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument(nullptr), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument(""), OneShotCommand::None);
}

TEST(OneShotCommands, PasswordIsAnySlashAInTheFirstArgument)
{
    EXPECT_EQ(ClassifyFirstArgument("/a"), OneShotCommand::ChangePassword);
    EXPECT_EQ(ClassifyFirstArgument("/A"), OneShotCommand::ChangePassword);
    EXPECT_EQ(ClassifyFirstArgument("/a:1234"), OneShotCommand::ChangePassword);
    EXPECT_EQ(ClassifyFirstArgument("x/about"), OneShotCommand::ChangePassword);
    EXPECT_EQ(ClassifyFirstArgument("-a"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument("a"), OneShotCommand::None);
    EXPECT_EQ(ClassifyFirstArgument("/s"), OneShotCommand::None);
}

TEST(LeadingNumber, ReadsLikeAtoi)
{
    EXPECT_EQ(LeadingNumber("1234"), 1234);
    EXPECT_EQ(LeadingNumber("  42xyz"), 42);
    EXPECT_EQ(LeadingNumber("-7"), -7);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_EQ(LeadingNumber("x12"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(LeadingNumber("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(LeadingNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(LeadingNumber("-2147483648"), INT32_MIN);
}

TEST(ParseCommandLine, ScreenSaverForms)
{
    ExpectParsed("show.scr /s", StartMode::Saver, 0);
    ExpectParsed("show.scr -S", StartMode::Saver, 0);
    ExpectParsed("show.scr s", StartMode::Saver, 0);
    ExpectParsed("show.scr /S:99", StartMode::Saver, 0);
    ExpectParsed("show.scr /SETDEF", StartMode::Saver, 0);
    ExpectParsed("show.scr    \t /s", StartMode::Saver, 0);
}

TEST(ParseCommandLine, PreviewFormsTakeTheWindowNumber)
{
    ExpectParsed("show.scr /p 1234", StartMode::Preview, 1234);
    ExpectParsed("show.scr /p:1234", StartMode::Preview, 1234);
    ExpectParsed("show.scr /P::  1234", StartMode::Preview, 1234);
    ExpectParsed("show.scr /l1234", StartMode::Preview, 1234);
    ExpectParsed("show.scr /l 1234", StartMode::Preview, 1234);
    ExpectParsed("show.scr /p", StartMode::Preview, 0);
    ExpectParsed("show.scr /p junk", StartMode::Preview, 0);
    ExpectParsed("show.scr /p -1", StartMode::Preview, 0xFFFFFFFFu);
}

TEST(ParseCommandLine, ConfigureFormsAndTheForegroundWindow)
{
    ExpectParsed("show.scr", StartMode::Configure, 0);
    ExpectParsed("show.scr   ", StartMode::Configure, 0);
    ExpectParsed("", StartMode::Configure, 0);
    ExpectParsed("show.scr /c", StartMode::Configure, kForeground);
    ExpectParsed("show.scr /c:", StartMode::Configure, kForeground);
    ExpectParsed("show.scr /c:5678", StartMode::Configure, 5678);
    ExpectParsed("show.scr /C 5678", StartMode::Configure, 5678);
    EXPECT_EQ(ParseCommandLine("show.scr /c", nullptr).window, 0u);
}

TEST(ParseCommandLine, PasswordAndUnknownLetters)
{
    ExpectParsed("show.scr /a 1234", StartMode::ChangePassword, 1234);
    ExpectParsed("show.scr -a:77", StartMode::ChangePassword, 77);
    ExpectParsed("show.scr /x 12", StartMode::None, 0);
    ExpectParsed("show.scr /", StartMode::None, 0);
    ExpectParsed("show.scr 5", StartMode::None, 0);
}

TEST(ParseCommandLine, QuotedProgramNamesMayHoldBlanks)
{
    ExpectParsed("\"C:\\My Savers\\show.scr\" /p 99", StartMode::Preview, 99);
    // The arguments may follow the closing quote without a blank.
    ExpectParsed("\"C:\\My Savers\\show.scr\"/s", StartMode::Saver, 0);
    ExpectParsed("\"C:\\My Savers\\show.scr\"/p7", StartMode::Preview, 7);
    ExpectParsed("\"C:\\My Savers\\show.scr\"", StartMode::Configure, 0);
    ExpectParsed("\"unterminated /s", StartMode::Configure, 0);
    // A tab ends an unquoted program name as a blank does.
    ExpectParsed("show.scr\t/s", StartMode::Saver, 0);
    ExpectParsed("show.scr\t/p\t42", StartMode::Preview, 42);
}

TEST(StartModeRules, ProgramWhenTheProjectSaysOrThePathHoldsExe)
{
    EXPECT_TRUE(RunsAsProgram(true, "C:\\Savers\\show.scr"));
    EXPECT_FALSE(RunsAsProgram(false, "C:\\Savers\\show.scr"));
    EXPECT_TRUE(RunsAsProgram(false, "C:\\Savers\\My.exe.dir\\show.scr"));
    EXPECT_TRUE(RunsAsProgram(false, "C:\\Savers\\SHOW.EXE"));
    EXPECT_FALSE(RunsAsProgram(false, ".exe"));
    EXPECT_FALSE(RunsAsProgram(false, ""));

    EXPECT_EQ(ResolveStartMode(StartMode::Saver, false, "C:\\Savers\\My.exe.dir\\show.scr"), StartMode::Program);
    EXPECT_EQ(ResolveStartMode(StartMode::Configure, true, "C:\\show.scr"), StartMode::Program);
    EXPECT_EQ(ResolveStartMode(StartMode::Preview, false, "C:\\show.scr"), StartMode::Preview);
    EXPECT_EQ(ResolveStartMode(StartMode::ChangePassword, false, "C:\\show.scr"), StartMode::ChangePassword);
    EXPECT_EQ(ResolveStartMode(StartMode::None, false, "C:\\show.scr"), StartMode::Configure);
}
