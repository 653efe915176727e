#include "scrpack/studio/PreviewDatabase.h"

#include "db/DatabaseWriter.h"
#include "scrpack/database/PackTables.h"
#include "scrpack/pictures/PictureConvert.h"
#include "scrpack/studio/PreparedPictures.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

bool WritePreviewDatabase(const PackPlan& plan, const PreviewRequest& request, PreparedPictures& prepared,
                          const std::string& workFolder, const std::string& database, std::string& error)
{
    PackPlan preview;
    preview.project = plan.project;
    preview.project.bannerPath.clear();
    ProjectOptions& options = preview.project.options;
    options.SetFlag(ProjectOptions::kMediaInDatabase, false);
    options.SetFlag(ProjectOptions::kMusicInDatabase, false);
    options.SetFlag(ProjectOptions::kBesideExecutable, false);
    options.SetFlag(ProjectOptions::kRandomOrder, false);
    if (request.displaySeconds >= 0)
        options.SetI32(ProjectOptions::kDisplayTime, request.displaySeconds);
    preview.backgrounds = plan.backgrounds;

    // A link under a name of our own for every file shown; the record's name is the link's path.
    int serial = 0;
    auto link = [&](const std::string& source, const std::string& name) -> std::string {
        std::string extension = fs::path(name).extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        char stem[32];
        std::snprintf(stem, sizeof stem, "qm-preview-%05d", serial++);
        const fs::path path = fs::path(workFolder) / (stem + extension);
        std::error_code ec;
        fs::remove(path, ec);
        fs::create_symlink(fs::absolute(source, ec), path, ec);
        return path.string();
    };
    for (PackedBackground& background : preview.backgrounds) {
        if (!background.media.addsMedia || background.media.file.sourcePath.empty())
            continue;
        const std::string path = link(background.media.file.sourcePath, background.media.file.name);
        preview.media.push_back({path, ""});
        background.media.file = {path, ""};
    }
    for (size_t index : request.items) {
        if (index >= plan.items.size())
            continue;
        PackedItem item = plan.items[index];
        std::string source = item.media.file.sourcePath;
        std::string name = item.texts["filename"];
        if (item.media.preparePending && !source.empty()) {
            try {
                const PreparedPicture picture = prepared.Get(source);
                source = picture.path;
                if (!picture.extension.empty())
                    name = fs::path(name).replace_extension(picture.extension).string();
            } catch (const ConvertError& e) {
                error = item.media.file.sourcePath + ": " + e.what();
                return false;
            }
        }
        if (!source.empty()) {
            const std::string path = link(source, name);
            item.texts["filename"] = fs::path(path).filename().string();
            preview.media.push_back({path, ""});
        }
        if (!request.withTransitions)
            item.record.SetFlag(MediaSettingsRecord::kTransition, false);
        if (!request.withSound)
            item.texts["bindsound"] = "";
        item.media.addsMedia = false;
        preview.items.push_back(std::move(item));
    }
    if (request.withSound) {
        for (const PackedMusic& music : plan.music) {
            if (music.file.sourcePath.empty())
                continue;
            // The bound sound's lookup goes by contained file name, which the full path keeps.
            preview.music.push_back({{fs::absolute(music.file.sourcePath).string(), ""}, music.type});
        }
    }
    DatabaseWriter writer;
    for (TableContent& table : BuildTables(preview))
        writer.AddTable(std::move(table));
    return writer.Write(database, &error);
}
