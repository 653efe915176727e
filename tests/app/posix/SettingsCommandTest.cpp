#include "app/posix/SettingsCommand.h"
#include "model/UserSettings.h"
#include "model/posix/FileSettingsStore.h"
#include "support/AppTestProject.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Command {
    TempDir dir;
    FileSettingsStore store{dir.File("quillmark")};
    std::string program = dir.File("show.scr");
    std::string out, err;

    Command()
    {
        AppTestProject project;
        project.projectName = "Harbour Lights.kdp";
        if (!project.WriteProgram(program))
            throw std::runtime_error("cannot write the test program");
    }
    // Runs the command line after "screensaver".
    int Run(std::vector<std::string> args)
    {
        CLI::App cli;
        SettingsCommandOptions options;
        AddSettingsCommand(cli, options);
        std::vector<const char*> argv{"screensaver"};
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        cli.parse(static_cast<int>(argv.size()), const_cast<char**>(argv.data()));
        std::ostringstream o, e;
        const int code = RunSettingsCommand(options, store, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
    UserSettings Stored()
    {
        UserSettings s;
        s.SetKey("Harbour Lights.kdp");
        s.Load(store);
        return s;
    }
};

} // namespace

TEST(SettingsCommand, ChangesLandInTheStoreTheShowReads)
{
    Command c;
    ASSERT_EQ(c.Run({"settings", c.program}), 0) << c.err;
    EXPECT_NE(c.out.find("project = Harbour Lights.kdp\nany-event = on\n"), std::string::npos) << c.out;
    EXPECT_FALSE(std::filesystem::exists(c.dir.Path() / "quillmark")) << "printing stores nothing";

    ASSERT_EQ(c.Run({"settings", c.program, "--set", "mute=on", "--set", "effects=0,160", "--set", "monitor=0"}), 0)
        << c.err;
    EXPECT_NE(c.out.find("mute = on\n"), std::string::npos);
    EXPECT_NE(c.out.find("    160  "), std::string::npos);
    UserSettings stored = c.Stored();
    EXPECT_EQ(stored.playSounds, 0);
    EXPECT_EQ(stored.monitor, 0);
    EXPECT_EQ(stored.transitionList, "0;160;");

    // A later change keeps the earlier ones; --reset goes back to the first run's settings first.
    ASSERT_EQ(c.Run({"settings", c.program, "--set", "speed=80"}), 0);
    EXPECT_EQ(c.Stored().playSounds, 0);
    EXPECT_EQ(c.Stored().transitionSpeed, 80);
    ASSERT_EQ(c.Run({"settings", "--reset", c.program, "--set", "time-limit=on"}), 0);
    stored = c.Stored();
    EXPECT_EQ(stored.playSounds, 1);
    EXPECT_EQ(stored.timeLimit, 1);
    EXPECT_EQ(stored.transitionList, UserSettings::AllEffects());
}

TEST(SettingsCommand, ErrorsStoreNothing)
{
    Command c;
    ASSERT_EQ(c.Run({"settings", c.program, "--set", "mute=on"}), 0);
    const UserSettings before = c.Stored();

    EXPECT_EQ(c.Run({"settings", c.program, "--set", "speed=10", "--set", "time-limit-minutes=90"}), 2);
    EXPECT_EQ(c.err, "screensaver: time-limit-minutes wants a whole number from 1 to 60, not \"90\"\n");
    EXPECT_EQ(c.out, "");
    EXPECT_EQ(c.Run({"settings", c.program, "--reset", "--set", "sound=off"}), 2);
    EXPECT_NE(c.err.find("unknown setting \"sound\""), std::string::npos);
    EXPECT_EQ(c.Stored().Block(), before.Block());

    EXPECT_EQ(c.Run({"settings", c.dir.File("missing.scr")}), 1);
    EXPECT_NE(c.err.find("no project attached to"), std::string::npos);
    c.dir.Write("plain.scr", "MZ nothing attached");
    EXPECT_EQ(c.Run({"settings", c.dir.File("plain.scr"), "--set", "mute=on"}), 1);

    // A store that cannot be written says so.
    c.dir.Write("quillmark-file", "");
    FileSettingsStore blocked(c.dir.File("quillmark-file"));
    SettingsCommandOptions options{c.program, {"mute=off"}, false};
    std::ostringstream out, err;
    EXPECT_EQ(RunSettingsCommand(options, blocked, out, err), 1);
    EXPECT_NE(err.str().find("cannot store the settings"), std::string::npos);
}

// Settings stored before the fades existed: the first run's list then named the 161 effects 0 to 160. It
// keeps exactly those (printed as a list, not as "all"), and changing something else stores it back byte for
// byte; only a new choice of "all" takes in the fades.
TEST(SettingsCommand, ASettingsStoreFromBeforeTheFadesKeepsItsChoices)
{
    Command c;
    std::string oldList;
    for (int i = 0; i <= 160; ++i)
        oldList += std::to_string(i) + ";";
    const std::string folder = "quillmark/Harbour Lights/";
    std::filesystem::create_directories(c.dir.Path() / folder);
    // The first run's block: any event closes, threshold 5, own transitions on, random, speed 25, monitor 1.
    const int32_t block[18] = {5, 1, 1, 0, 1, 1, 1, 1, 0, 65, 1, 0, 60, 20, 1, 1, 25, 1};
    std::string bytes;
    for (int32_t v : block)
        for (int b = 0; b < 4; ++b)
            bytes += static_cast<char>((static_cast<uint32_t>(v) >> (8 * b)) & 0xFF);
    c.dir.Write(folder + "data", bytes);
    c.dir.Write(folder + "transition effects", oldList);

    ASSERT_EQ(c.Run({"settings", c.program}), 0) << c.err;
    EXPECT_EQ(c.out.find("effects = all"), std::string::npos) << "161 of 163 is not all";
    EXPECT_NE(c.out.find("    160  Zig-zag up\n"), std::string::npos);
    EXPECT_EQ(c.out.find("Fade"), std::string::npos);

    ASSERT_EQ(c.Run({"settings", c.program, "--set", "speed=30"}), 0) << c.err;
    EXPECT_EQ(TempDir::Read(c.dir.File(folder + "transition effects")), oldList);
    EXPECT_EQ(c.Stored().transitionSpeed, 30);

    ASSERT_EQ(c.Run({"settings", c.program, "--set", "effects=all"}), 0) << c.err;
    EXPECT_EQ(c.Stored().transitionList, oldList + "161;162;");
    EXPECT_NE(c.out.find("    162  Fade through black\n"), std::string::npos);
}
