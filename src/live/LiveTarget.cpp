#include "live/LiveTarget.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "app/posix/SizeArgument.h"
#include "db/ProjectDatabase.h"
#include "platform/Process.h"

bool ParseWindowId(const std::string& text, uint64_t& id)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint64_t value = 0;
    auto [stop, failure] = std::from_chars(begin, end, value, hex ? 16 : 10);
    if (failure != std::errc() || stop != end || begin == end || value == 0 || value > UINT32_MAX)
        return false;
    id = value;
    return true;
}

bool ResolveLiveTarget(const LiveOptions& options, const char* xscreensaverWindow, LiveTarget& target,
                       std::string& error)
{
    const int placements = int(options.window) + int(!options.windowId.empty()) + int(options.root);
    if (placements > 1) {
        error = "--window, --window-id and --root exclude each other";
        return false;
    }
    if (options.monitor != -1 && placements > 0) {
        error = "--monitor is for the full screen, not with --window, --window-id or --root";
        return false;
    }
    if (options.monitor < -1) {
        error = "--monitor wants 0 (every monitor) or a monitor's number from 1";
        return false;
    }
    if (!options.size.empty() && !options.window) {
        error = "--size is for --window";
        return false;
    }
    target = LiveTarget{};
    if (!options.windowId.empty()) {
        if (!ParseWindowId(options.windowId, target.windowId)) {
            error = "--window-id wants an X window id, as 0x2c00007 or 46137351: " + options.windowId;
            return false;
        }
        target.kind = LiveTarget::Kind::Foreign;
        return true;
    }
    if (options.window) {
        target.kind = LiveTarget::Kind::Window;
        if (!options.size.empty() &&
            (!ParseSizeArgument(options.size, target.width, target.height) || target.width < 16 || target.height < 16 ||
             target.width > 16384 || target.height > 16384)) {
            error = "--size wants WIDTHxHEIGHT between 16x16 and 16384x16384, as 1280x720";
            return false;
        }
        return true;
    }
    if (xscreensaverWindow && *xscreensaverWindow) {
        // Started by XScreenSaver: its window, whatever else the command line says.
        if (!ParseWindowId(xscreensaverWindow, target.windowId)) {
            error = std::string("XSCREENSAVER_WINDOW does not name a window: ") + xscreensaverWindow;
            return false;
        }
        target.kind = LiveTarget::Kind::Foreign;
        return true;
    }
    if (options.root) {
        target.kind = LiveTarget::Kind::Root;
        return true;
    }
    target.kind = LiveTarget::Kind::Screen;
    target.monitor = options.monitor;
    return true;
}

std::vector<std::string> NormaliseLiveArguments(const std::vector<std::string>& args,
                                                const std::vector<std::string>& subcommands)
{
    std::vector<std::string> out;
    out.reserve(args.size() + 1);
    bool subcommandSeen = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (i == 0) {
            out.push_back(arg);
            continue;
        }
        if (arg == "-root" || arg == "-window-id" || arg == "-window")
            arg = "-" + arg;
        if (!subcommandSeen && !arg.empty()) {
            const bool isSubcommand = std::find(subcommands.begin(), subcommands.end(), arg) != subcommands.end();
            const bool isHelp = arg == "-h" || arg == "--help" || arg == "--version";
            // A bare word that names no file is a mistyped command, to be named as one, not a show to play.
            std::error_code ec;
            const bool mistyped =
                arg[0] != '-' && arg.find_first_of("./") == std::string::npos && !std::filesystem::exists(arg, ec);
            if (isSubcommand || isHelp || mistyped) {
                subcommandSeen = true;
            } else {
                // Anything else before a subcommand (a file, or XScreenSaver's switches) belongs to play.
                out.push_back("play");
                subcommandSeen = true;
            }
        }
        out.push_back(arg);
    }
    return out;
}

std::string DefaultShowPath()
{
    const std::filesystem::path program = ModuleFilePath();
    if (program.empty())
        return {};
    const int64_t base = ReadDatabaseTrailer(program.string());
    ProjectDatabase db;
    if (base >= 0 && base <= UINT32_MAX && db.Open(program.string(), static_cast<uint32_t>(base)) && db.HasHeader())
        return program.string();
    std::error_code ec;
    const std::filesystem::path sample = program.parent_path().parent_path() / "share" / "quillmark" / "sample.scr";
    return std::filesystem::is_regular_file(sample, ec) ? sample.string() : std::string();
}
