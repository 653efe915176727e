#include "scrpack/studio/StudioApi.h"

#include "scrpack/commands/NewCommand.h"
#include "transitions/EffectNames.h"

#include <filesystem>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

void Reply(httplib::Response& response, const json& body, int status = 200)
{
    response.status = status;
    response.set_content(body.dump(), "application/json");
}

void Fail(httplib::Response& response, const std::string& error, int status = 400, const std::string& key = "")
{
    json body = {{"error", error}};
    if (!key.empty())
        body["key"] = key;
    Reply(response, body, status);
}

int Parameter(const httplib::Request& request, const char* name, int fallback, int min, int max)
{
    if (!request.has_param(name))
        return fallback;
    try {
        return std::clamp(std::stoi(request.get_param_value(name)), min, max);
    } catch (const std::exception&) {
        return fallback;
    }
}

std::optional<json> Body(const httplib::Request& request, httplib::Response& response)
{
    json body = json::parse(request.body, nullptr, false);
    if (body.is_discarded()) {
        Fail(response, "the request is not JSON");
        return std::nullopt;
    }
    return body;
}

// An effect's family: the words of its name before its direction or size ("Band", "Checkerboard",
// "Circle", "Move", ...).
std::string FamilyOf(const std::string& name)
{
    const size_t end = name.find_first_of(" (");
    return name.substr(0, end);
}

const char* KindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Picture: return "picture";
    case FileKind::Video: return "video";
    case FileKind::Sound: return "sound";
    default: return "other";
    }
}

struct LibraryFile {
    std::string path;
    FileKind kind;
    uintmax_t size;
};

std::vector<LibraryFile> ListLibrary(StudioServer::Parts& p)
{
    std::vector<LibraryFile> files;
    std::error_code ec;
    const fs::path root(p.folder.Root());
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->path().filename().string().starts_with(".")) {
            if (it->is_directory(ec))
                it.disable_recursion_pending();
            continue;
        }
        if (it.depth() > 3 || files.size() >= 5000)
            it.disable_recursion_pending();
        const FileKind kind = KindOf(it->path());
        if (kind == FileKind::Other || !it->is_regular_file(ec))
            continue;
        const std::string relative = it->path().lexically_relative(root).generic_string();
        if (p.folder.Resolve(relative))
            files.push_back({relative, kind, it->file_size(ec)});
    }
    std::sort(files.begin(), files.end(), [](const LibraryFile& a, const LibraryFile& b) { return a.path < b.path; });
    return files;
}

} // namespace

std::vector<std::string> LibraryPictures(StudioServer::Parts& parts)
{
    std::vector<std::string> pictures;
    for (const LibraryFile& file : ListLibrary(parts)) {
        if (file.kind == FileKind::Picture)
            pictures.push_back(file.path);
    }
    return pictures;
}

void AddStudioApi(StudioServer::Parts& p)
{
    httplib::Server& server = p.server;

    // The show as the page shows it.
    server.Get("/api/state", [&p](const httplib::Request&, httplib::Response& response) {
        json state = p.document.State();
        state["runtimes"] = {{"windows", !p.setup.windowsRuntime.empty()}, {"linux", !p.setup.linuxRuntime.empty()}};
        Reply(response, state);
    });

    // One edit (ProjectDocument::Apply): {op: item|items|project|options|move|remove|add, ...}. The state
    // after it, or the reason it was refused and the manifest key it concerns.
    server.Post("/api/edit", [&p](const httplib::Request& request, httplib::Response& response) {
        auto edit = Body(request, response);
        if (!edit)
            return;
        if (edit->contains("file") && (*edit)["file"].is_string()) {
            std::string reason;
            if (!p.folder.Resolve((*edit)["file"].get<std::string>(), &reason))
                return Fail(response, reason, 403);
        }
        const ProjectDocument::EditResult result = p.document.Apply(*edit);
        if (!result.ok)
            return Fail(response, result.error, 422, result.key);
        Reply(response, p.document.State());
    });

    // Every effect with its family.
    server.Get("/api/effects", [](const httplib::Request&, httplib::Response& response) {
        json effects = json::array();
        for (int i = 0; i < kEffectCount; ++i)
            effects.push_back({{"index", i}, {"name", EffectName(i)}, {"family", FamilyOf(EffectName(i))}});
        Reply(response, effects);
    });

    // The pictures, videos and sounds in the show's folder and its subfolders (not hidden ones, and no link
    // that leads out): [{path, kind, size}].
    server.Get("/api/library", [&p](const httplib::Request&, httplib::Response& response) {
        json files = json::array();
        for (const LibraryFile& file : ListLibrary(p))
            files.push_back({{"path", file.path}, {"kind", KindName(file.kind)}, {"size", file.size}});
        Reply(response, files);
    });

    // ?path=photos/a.jpg&side=200[&background=#RRGGBB]: a JPEG thumbnail, or 422 with why it would not show.
    server.Get("/api/thumb", [&p](const httplib::Request& request, httplib::Response& response) {
        std::string reason;
        auto path = p.folder.Resolve(request.get_param_value("path"), &reason);
        if (!path)
            return Fail(response, reason, 403);
        std::error_code ec;
        if (!fs::is_regular_file(*path, ec))
            return Fail(response, "no such file", 404);
        if (KindOf(*path) != FileKind::Picture)
            return Fail(response, "not a picture", 415);
        uint32_t background = 0;
        const std::string colour = request.get_param_value("background");
        if (colour.size() == 7 && colour[0] == '#') {
            const uint32_t rgb = static_cast<uint32_t>(std::strtoul(colour.c_str() + 1, nullptr, 16));
            background = (rgb >> 16 & 0xff) | (rgb & 0xff00) | (rgb & 0xff) << 16;
        }
        const std::string jpeg =
            p.thumbnails.Get(*path, Parameter(request, "side", kThumbnailSide, 16, 1024), background, &reason);
        if (jpeg.empty())
            return Fail(response, reason.empty() ? "does not decode" : reason, 422);
        response.set_content(jpeg, "image/jpeg");
        response.set_header("Cache-Control", "private, max-age=60");
    });

    // multipart "file" (and an optional "folder" inside the show's): stores it (Uploads.h); {stored: name}.
    server.Post("/api/upload", [&p](const httplib::Request& request, httplib::Response& response) {
        if (!request.has_file("file"))
            return Fail(response, "send the file as the form field \"file\"");
        const httplib::MultipartFormData file = request.get_file_value("file");
        std::string folder = p.folder.Root(), reason;
        if (request.has_file("folder") && !request.get_file_value("folder").content.empty()) {
            auto inside = p.folder.Resolve(request.get_file_value("folder").content, &reason);
            if (!inside)
                return Fail(response, reason, 403);
            folder = *inside;
        }
        std::error_code ec;
        if (!fs::is_directory(folder, ec))
            return Fail(response, "no such folder", 404);
        const std::string stored = StoreUpload(folder, file.filename, file.content, p.setup.maxUploadBytes, reason);
        if (stored.empty())
            return Fail(response, reason, file.content.size() > p.setup.maxUploadBytes ? 413 : 415);
        const std::string relative = p.folder.RelativeOf(folder + "/" + stored).value_or(stored);
        Reply(response, {{"stored", relative}});
    });

    // ?from=I&to=J&effect=K&width=W&height=H: effect K from item I's screen to item J's, as a JPEG strip of
    // frames (X-Frames of X-Frame-Ms each, X-Width × X-Height).
    server.Get("/api/effect", [&p](const httplib::Request& request, httplib::Response& response) {
        const PackPlan plan = p.document.Plan();
        const int last = static_cast<int>(plan.items.size()) - 1;
        const int to = Parameter(request, "to", 0, 0, std::max(0, last));
        const int from = Parameter(request, "from", std::max(0, to - 1), 0, std::max(0, last));
        const int effect = Parameter(request, "effect", 0, -1, kEffectCount - 1);
        const int width = Parameter(request, "width", 320, 32, 1920) & ~1;
        const int height = Parameter(request, "height", 180, 18, 1080) & ~1;
        EffectPreviews::Strip strip;
        std::string error;
        if (!p.effects.Render(plan, static_cast<size_t>(from), static_cast<size_t>(to), effect, width, height, strip,
                              error))
            return Fail(response, error, 422);
        response.set_header("X-Frames", std::to_string(strip.frames));
        response.set_header("X-Frame-Ms", std::to_string(strip.frameMs));
        response.set_header("X-Width", std::to_string(strip.width));
        response.set_header("X-Height", std::to_string(strip.height));
        response.set_content(strip.jpeg, "image/jpeg");
    });

    // {from, width, height}: starts the whole show's preview; {id, seconds}. Its video: /api/preview/ID.mp4.
    server.Post("/api/preview", [&p](const httplib::Request& request, httplib::Response& response) {
        auto body = Body(request, response);
        if (!body)
            return;
        const int from = body->value("from", 0), width = body->value("width", 960), height = body->value("height", 540);
        if (from < 0 || width < 64 || height < 36 || width > 1920 || height > 1080)
            return Fail(response, "from is an item, the size between 64x36 and 1920x1080");
        ShowPreview::Started started;
        std::string error;
        if (!p.preview.Start(p.document.Plan(), static_cast<size_t>(from), width & ~1, height & ~1, started, error))
            return Fail(response, error, 422);
        Reply(response, {{"id", started.id}, {"seconds", started.seconds}});
    });
    server.Post("/api/preview/stop", [&p](const httplib::Request&, httplib::Response& response) {
        p.preview.Stop();
        Reply(response, json::object());
    });
    server.Get(R"(/api/preview/(\d+)\.mp4)", [&p](const httplib::Request& request, httplib::Response& response) {
        const int id = std::atoi(request.matches[1].str().c_str());
        response.set_header("Cache-Control", "no-store");
        response.set_chunked_content_provider("video/mp4", [&p, id](size_t, httplib::DataSink& sink) {
            p.preview.Stream(
                id, [&sink](const char* data, size_t size) { return sink.is_writable() && sink.write(data, size); });
            sink.done();
            return true;
        });
    });

    // {kind: windows|linux|video} starts a build; GET gives its state (Builds::Status).
    server.Post("/api/build", [&p](const httplib::Request& request, httplib::Response& response) {
        auto body = Body(request, response);
        if (!body)
            return;
        std::string error;
        if (!p.builds.Start(body->value("kind", ""), error))
            return Fail(response, error, 409);
        Reply(response, p.builds.Status());
    });
    server.Get("/api/build",
               [&p](const httplib::Request&, httplib::Response& response) { Reply(response, p.builds.Status()); });
}
