#include "scrpack/commands/NewCommand.h"

#include "base/TextCase.h"
#include "codecs/BuiltinExpic.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/PictureCheck.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Seconds per picture: long enough to look at a photo, short enough to keep a slide show moving.
constexpr int kNewShowDisplayTime = 7;

enum class Kind { Picture, Video, Sound, Other };

Kind KindOf(const fs::path& path)
{
    static const std::set<std::string> pictures = {".jpg",  ".jpeg", ".png",  ".gif",  ".bmp",  ".dib", ".tif",
                                                   ".tiff", ".webp", ".heic", ".heif", ".avif", ".tga", ".pcx",
                                                   ".psd",  ".sgi",  ".rgb",  ".ppm",  ".pgm",  ".pbm"};
    static const std::set<std::string> videos = {".avi", ".mpg", ".mpeg", ".mp4",  ".m4v",
                                                 ".mov", ".wmv", ".mkv",  ".webm", ".ogv"};
    static const std::set<std::string> sounds = {".wav", ".mp3",  ".mid", ".midi", ".ogg", ".oga",
                                                 ".wma", ".flac", ".m4a", ".aac",  ".opus"};
    const std::string extension = ToLowerAscii(path.extension().string());
    if (pictures.count(extension))
        return Kind::Picture;
    if (videos.count(extension))
        return Kind::Video;
    if (sounds.count(extension))
        return Kind::Sound;
    return Kind::Other;
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// "harbour_at-night.jpg" reads "harbour at night".
std::string TitleOf(const fs::path& path)
{
    std::string title = path.stem().string();
    std::replace(title.begin(), title.end(), '_', ' ');
    std::replace(title.begin(), title.end(), '-', ' ');
    return title;
}

// When a file was made, as "YYYY:MM:DD HH:MM:SS": the photo's own date, else the file's.
std::string DateOf(const fs::path& path)
{
    if (KindOf(path) == Kind::Picture) {
        std::vector<uint8_t> head;
        if (ReadImageFile(path.string(), 1u << 20, head)) {
            const ExifInfo exif = ReadJpegExif(head.data(), head.size());
            if (!exif.dateTime.empty())
                return exif.dateTime;
        }
    }
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    if (ec)
        return "";
    const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    const std::time_t t = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local);
    return text;
}

} // namespace

int RunNew(const NewOptions& options, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (!fs::is_directory(options.folder, ec)) {
        err << "scrpack new: " << options.folder << (fs::exists(options.folder, ec) ? " is not a folder" : " not found")
            << "\n";
        return 1;
    }
    const fs::path manifest =
        options.output.empty() ? fs::path(options.folder) / "manifest.toml" : fs::path(options.output);
    if (fs::exists(manifest, ec)) {
        err << "scrpack new: " << manifest.string() << " already exists; remove it or give another -o\n";
        return 1;
    }
    fs::path manifestFolder = fs::absolute(manifest, ec).parent_path();
    if (!fs::is_directory(manifestFolder, ec)) {
        err << "scrpack new: the folder " << manifestFolder.string() << " of the manifest does not exist\n";
        return 1;
    }

    struct Entry {
        fs::path path;
        Kind kind;
        std::string order;
    };
    std::vector<Entry> entries;
    for (const auto& item : fs::directory_iterator(options.folder, ec)) {
        if (!item.is_regular_file(ec))
            continue;
        const Kind kind = KindOf(item.path());
        if (kind != Kind::Other)
            entries.push_back({item.path(), kind, options.byDate ? DateOf(item.path()) : std::string()});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.order != b.order ? a.order < b.order : a.path.filename().string() < b.path.filename().string();
    });
    const auto shown =
        std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.kind != Kind::Sound; });
    if (shown == 0) {
        err << "scrpack new: " << options.folder << " holds no picture or video\n";
        return 1;
    }

    auto relative = [&](const fs::path& path) {
        std::error_code e;
        fs::path r = fs::relative(fs::absolute(path, e), manifestFolder, e);
        return (e || r.empty() ? fs::absolute(path, e) : r).generic_string();
    };
    std::ostringstream text;
    const std::string name = fs::absolute(options.folder, ec).lexically_normal().filename().string();
    const std::string project = name.empty() ? "My show" : name;
    text << "# Made by scrpack new from the files in " << options.folder << "; see docs/manifest.md for every key.\n"
         << "# Pack it with: scrpack pack " << manifest.filename().string()
         << " -o show.scr --runtime screensaver.scr\n\n"
         << "[project]\nname = " << Quoted(project + ".kdp") << "\napp_name = " << Quoted(project) << "\n\n"
         << "[options]\ndisplay_time = " << kNewShowDisplayTime << "\nscale_mode = \"fit\"\n";
    for (const Entry& entry : entries) {
        if (entry.kind == Kind::Sound)
            continue;
        text << "\n[[media]]\nfile = " << Quoted(relative(entry.path)) << "\n";
        if (entry.kind == Kind::Video)
            text << "type = \"video\"\n";
        std::vector<uint8_t> head;
        if (entry.kind == Kind::Picture && ReadImageFile(entry.path.string(), 64, head) &&
            NeedsConversion(PictureKind(head.data(), head.size())))
            text << "convert = true\n";
        text << "[media.title]\ntext = " << Quoted(TitleOf(entry.path)) << "\n";
    }
    for (const Entry& entry : entries) {
        if (entry.kind == Kind::Sound)
            text << "\n[[music]]\nfile = " << Quoted(relative(entry.path)) << "\n";
    }
    std::ofstream file(manifest, std::ios::binary);
    file << text.str();
    file.close();
    if (!file) {
        err << "scrpack new: cannot write " << manifest.string() << "\n";
        fs::remove(manifest, ec);
        return 1;
    }
    out << "wrote " << manifest.string() << ": " << shown << " items, " << entries.size() - static_cast<size_t>(shown)
        << " music tracks\n";
    return 0;
}

void RegisterNewCommand(CLI::App& app)
{
    auto options = std::make_shared<NewOptions>();
    CLI::App* command = app.add_subcommand(
        "new", "Write a manifest for the pictures, videos and sounds in a folder, ready to edit and pack");
    command->add_option("dir", options->folder, "The folder with the show's files")->required();
    command->add_option("-o,--output", options->output, "The manifest to write (default: DIR/manifest.toml)");
    command->add_flag("--by-date", options->byDate, "Order by the date each photo was taken instead of by name");
    command->callback([options] {
        const int code = RunNew(*options, std::cout, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}
