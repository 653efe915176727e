#include "scrpack/commands/NewCommand.h"

#include "base/TextCase.h"
#include "codecs/BuiltinExpic.h"
#include "platform/Paths.h"
#include "scrpack/files/SourceFiles.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/pictures/PictureConvert.h"
#include "scrpack/texts/AsciiName.h"
#include "scrpack/texts/CharsetChoice.h"
#include "scrpack/texts/CodePage.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Seconds per picture: long enough to look at a photo, short enough to keep a slide show moving.
constexpr int kNewShowDisplayTime = 7;

} // namespace

FileKind KindOf(const fs::path& path)
{
    static const std::set<std::string> pictures = {".jpg", ".jpeg", ".png",  ".gif",  ".bmp",  ".dib",  ".tif",
                                                   ".svg", ".tiff", ".webp", ".heic", ".heif", ".avif", ".tga",
                                                   ".pcx", ".psd",  ".sgi",  ".rgb",  ".ppm",  ".pgm",  ".pbm"};
    static const std::set<std::string> videos = {".avi", ".mpg", ".mpeg", ".mp4",  ".m4v",
                                                 ".mov", ".wmv", ".mkv",  ".webm", ".ogv"};
    static const std::set<std::string> sounds = {".wav", ".mp3",  ".mid", ".midi", ".ogg", ".oga",
                                                 ".wma", ".flac", ".m4a", ".aac",  ".opus"};
    const std::string extension = ToLowerAscii(Utf8Of(path.extension()));
    if (pictures.count(extension))
        return FileKind::Picture;
    if (videos.count(extension))
        return FileKind::Video;
    if (sounds.count(extension))
        return FileKind::Sound;
    return FileKind::Other;
}

namespace {

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

bool IsSeparator(char c)
{
    return c == ' ' || c == '_' || c == '-' || c == '.';
}

// A camera's own name for its files, followed by its counter: no title.
bool CameraPrefix(const std::string& stem, size_t& length)
{
    static const char* const kPrefixes[] = {"IMG",   "DSC", "DSCN", "DSCF", "DSCI", "PXL", "PANO",
                                            "MVIMG", "VID", "GOPR", "DJI",  "SAM",  "WP"};
    for (const char* prefix : kPrefixes) {
        const size_t n = std::char_traits<char>::length(prefix);
        if (stem.size() > n && ToLowerAscii(stem.substr(0, n)) == ToLowerAscii(prefix) &&
            (IsSeparator(stem[n]) || (stem[n] >= '0' && stem[n] <= '9'))) {
            length = n;
            return true;
        }
    }
    return false;
}

} // namespace

// "harbour_at-night.jpg" reads "harbour at night". The numbering that keeps files in order ("01 harbour.jpg",
// "007-harbour.jpg") is no part of the title, and a camera's file name ("IMG_0042.jpg") gives none.
std::string TitleOf(const fs::path& path)
{
    std::string title = Utf8Of(path.stem());
    size_t prefix = 0;
    if (CameraPrefix(title, prefix)) {
        size_t end = prefix;
        while (end < title.size() && (IsSeparator(title[end]) || (title[end] >= '0' && title[end] <= '9')))
            ++end;
        title.erase(0, end);
    } else {
        size_t digits = 0;
        while (digits < title.size() && title[digits] >= '0' && title[digits] <= '9')
            ++digits;
        if (digits > 0 && digits <= 3 && digits < title.size() &&
            (IsSeparator(title[digits]) || title[digits] == ')')) {
            size_t end = digits + 1;
            while (end < title.size() && IsSeparator(title[end]))
                ++end;
            if (end < title.size())
                title.erase(0, end);
        }
    }
    std::string out;
    for (char c : title) {
        const char spaced = c == '_' || c == '-' ? ' ' : c;
        if (!(spaced == ' ' && (out.empty() || out.back() == ' ')))
            out += spaced;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

namespace {

// When a file was made, as "YYYY:MM:DD HH:MM:SS": the photo's own date, else the file's.
std::string DateOf(const fs::path& path)
{
    if (KindOf(path) == FileKind::Picture) {
        std::vector<uint8_t> head;
        if (ReadSourceFile(Utf8Of(path), 1u << 20, head)) {
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

// Stored names every runtime opens: the file's own name where it is plain ASCII, else one made of its letters;
// each unique whatever the case.
class StoredNames {
public:
    std::string For(const std::string& fileName)
    {
        std::string name = AsciiFileName(fileName);
        const std::string extension = ExtensionOf(name.empty() ? fileName : name);
        const std::string stem = name.empty() ? "item" : name.substr(0, name.size() - extension.size());
        const std::string asciiExtension = IsAscii(extension) ? extension : "";
        if (name.empty())
            name = stem + asciiExtension;
        for (int n = 2; !used_.insert(ToLowerAscii(name)).second; ++n)
            name = stem + "-" + std::to_string(n) + asciiExtension;
        return name;
    }

private:
    std::set<std::string> used_;
};

// A project text (stored in Windows-1252) as it is when it fits, else its ASCII letters, else the fallback.
std::string AsciiTextOr(const std::string& text, const std::string& fallback)
{
    if (Utf8ToCodePage(text, kAnsiCodePage))
        return text;
    const std::string ascii = AsciiFileName(text);
    return ascii.empty() ? fallback : ascii;
}

std::string UnreadableSummary(const std::map<std::string, std::vector<std::string>>& unreadable)
{
    std::string files, kinds;
    size_t count = 0;
    for (const auto& [kind, names] : unreadable) {
        kinds += (kinds.empty() ? "" : " and ") + kind;
        for (const std::string& name : names)
            files += (count++ ? ", " : "") + name;
    }
    return std::to_string(count) + (count == 1 ? " picture" : " pictures") + " (" + files +
        "): " + UnreadableFormatsAdvice(kinds);
}

} // namespace

int RunNew(const NewOptions& options, std::ostream& out, std::ostream& err)
{
    UseUtf8FileNames();
    std::error_code ec;
    const fs::path folder = PathFromUtf8(options.folder);
    if (!fs::is_directory(folder, ec)) {
        err << "scrpack new: " << options.folder << (fs::exists(folder, ec) ? " is not a folder" : " not found")
            << "\n";
        return 1;
    }
    const fs::path manifest = options.output.empty() ? folder / "manifest.toml" : PathFromUtf8(options.output);
    if (fs::exists(manifest, ec)) {
        err << "scrpack new: " << Utf8Of(manifest) << " already exists; remove it or give another -o\n";
        return 1;
    }
    fs::path manifestFolder = fs::absolute(manifest, ec).parent_path();
    if (!fs::is_directory(manifestFolder, ec)) {
        err << "scrpack new: the folder " << Utf8Of(manifestFolder) << " of the manifest does not exist\n";
        return 1;
    }

    struct Entry {
        fs::path path;
        FileKind kind;
        std::string order;
    };
    std::vector<Entry> entries;
    // Pictures this scrpack cannot read to convert, by kind: left out, and said once.
    std::map<std::string, std::vector<std::string>> unreadable;
    size_t turned = 0;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        if (!item.is_regular_file(ec))
            continue;
        const FileKind kind = KindOf(item.path());
        if (kind == FileKind::Other)
            continue;
        if (kind == FileKind::Picture) {
            std::vector<uint8_t> head;
            ReadSourceFile(Utf8Of(item.path()), 1u << 16, head);
            const std::string format = PictureKind(head.data(), head.size());
            if (NeedsConversion(format) && !CanConvertPicture(Utf8Of(item.path()), format)) {
                unreadable[format].push_back(Utf8Of(item.path().filename()));
                continue;
            }
            turned += format == "JPEG" && ReadJpegExif(head.data(), head.size()).orientation != 1 ? 1 : 0;
        }
        entries.push_back({item.path(), kind, options.byDate ? DateOf(item.path()) : std::string()});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.order != b.order ? a.order < b.order : a.path.filename() < b.path.filename();
    });
    if (!unreadable.empty())
        err << "scrpack new: left out " << UnreadableSummary(unreadable) << "\n";
    const auto shown =
        std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.kind != FileKind::Sound; });
    if (shown == 0) {
        err << "scrpack new: " << options.folder << " holds no picture or video";
        err << (unreadable.empty() ? "" : " this scrpack can read") << "\n";
        return 1;
    }

    auto relative = [&](const fs::path& path) {
        std::error_code e;
        fs::path r = fs::relative(fs::absolute(path, e), manifestFolder, e);
        const std::u8string text = (e || r.empty() ? fs::absolute(path, e) : r).generic_u8string();
        return std::string(text.begin(), text.end());
    };
    std::ostringstream text;
    const std::string name = Utf8Of(fs::absolute(folder, ec).lexically_normal().filename());
    const std::string project = name.empty() ? "My show" : name;
    text << "# Made by scrpack new from the files in " << options.folder << "; see docs/manifest.md for every key.\n"
         << "# Pack it with: scrpack pack " << Utf8Of(manifest.filename())
         << " -o show.scr --runtime screensaver.scr\n\n"
         << "[project]\nname = " << Quoted(AsciiTextOr(project + ".kdp", "show.kdp"))
         << "\napp_name = " << Quoted(AsciiTextOr(project, "My show")) << "\n\n"
         << "[options]\ndisplay_time = " << kNewShowDisplayTime << "\nscale_mode = \"fit\"\n";
    StoredNames names;
    size_t narrowed = 0;
    for (const Entry& entry : entries) {
        if (entry.kind == FileKind::Sound)
            continue;
        const std::string fileName = Utf8Of(entry.path.filename());
        text << "\n[[media]]\nfile = " << Quoted(relative(entry.path)) << "\n";
        if (const std::string stored = names.For(fileName); stored != fileName)
            text << "name = " << Quoted(stored) << "\n";
        if (entry.kind == FileKind::Video)
            text << "type = \"video\"\n";
        // The title in the character set that holds it; where none holds all of it, the one that holds most.
        const std::string title = TitleOf(entry.path);
        std::string held = title;
        std::optional<int> charset = CharsetHolding(title);
        if (!charset) {
            charset = CharsetHoldingMost(title, held);
            text << "# the title " << Quoted(title)
                 << " has characters no one character set holds together: " << CharsetName(*charset)
                 << " shows the most of them\n";
            ++narrowed;
        }
        text << "[media.title]\ntext = " << Quoted(held) << "\n";
        if (*charset != 0)
            text << "charset = " << *charset << "\n";
    }
    for (const Entry& entry : entries) {
        if (entry.kind != FileKind::Sound)
            continue;
        const std::string fileName = Utf8Of(entry.path.filename());
        text << "\n[[music]]\nfile = " << Quoted(relative(entry.path)) << "\n";
        if (const std::string stored = names.For(fileName); stored != fileName)
            text << "name = " << Quoted(stored) << "\n";
    }
    std::ofstream file(manifest, std::ios::binary);
    file << text.str();
    file.close();
    if (!file) {
        err << "scrpack new: cannot write " << Utf8Of(manifest) << "\n";
        fs::remove(manifest, ec);
        return 1;
    }
    out << "wrote " << Utf8Of(manifest) << ": " << shown << " items, " << entries.size() - static_cast<size_t>(shown)
        << " music tracks\n";
    if (turned)
        out << turned << " photos taken turned are stood upright when the show is packed\n";
    if (narrowed)
        out << narrowed << " titles had characters no one character set holds together: they show as \"?\" (see the "
            << "comments in the manifest)\n";
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
