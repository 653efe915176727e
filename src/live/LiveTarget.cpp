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

namespace {

// The option an argument of play's is, when it chooses where the show draws, and whether its value follows
// as the next argument.
bool IsPlacement(const std::string& arg, bool& valueFollows)
{
    for (const char* name : {"--window-id", "--monitor"}) {
        const std::string option = name;
        if (arg == option || arg.rfind(option + "=", 0) == 0) {
            valueFollows = arg == option;
            return true;
        }
    }
    valueFollows = false;
    return arg == "--window" || arg == "--root";
}

// Only the last of play's choices of where to draw counts, as XScreenSaver's programs read theirs: it
// appends --window-id to the command line a user wrote with -root. A --size goes with an earlier --window.
void KeepLastPlacement(std::vector<std::string>& args, size_t from)
{
    size_t last = args.size();
    for (size_t i = from; i < args.size(); ++i) {
        bool valueFollows = false;
        if (IsPlacement(args[i], valueFollows))
            last = i;
        if (valueFollows)
            ++i;
    }
    if (last == args.size())
        return;
    // A --size of a --window that another choice replaced goes with it.
    bool windowReplaced = false;
    for (size_t i = from; i < args.size(); ++i)
        windowReplaced = windowReplaced || (args[i] == "--window" && i != last);
    std::vector<std::string> kept(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(from));
    for (size_t i = from; i < args.size(); ++i) {
        bool valueFollows = false;
        const bool placement = IsPlacement(args[i], valueFollows);
        const bool size = args[i] == "--size" || args[i].rfind("--size=", 0) == 0;
        const size_t span = (valueFollows || args[i] == "--size") && i + 1 < args.size() ? 2 : 1;
        const bool drop = (placement && i != last) || (size && windowReplaced && args[last] != "--window");
        if (!drop)
            kept.insert(kept.end(), args.begin() + static_cast<std::ptrdiff_t>(i),
                        args.begin() + static_cast<std::ptrdiff_t>(i + span));
        i += span - 1;
    }
    args = std::move(kept);
}

} // namespace

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
    if (out.size() > 1 && out[1] == "play")
        KeepLastPlacement(out, 2);
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
