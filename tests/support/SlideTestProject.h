#pragma once
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "db/DatabaseWriter.h"
#include "db/ProjectDatabase.h"
#include "gfx/Picture.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "model/ProjectInfo.h"
#include "model/ProjectOptions.h"
#include "model/Random.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

// A 24-bit .bmp of a w x h picture filled with pixel colours from fn(x, y) (0x00RRGGBB).
template <class F> std::string MakeBmp(int w, int h, F fn)
{
    const int row = (w * 3 + 3) / 4 * 4;
    std::string out;
    auto u16 = [&](uint32_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out += "BM";
    u32(static_cast<uint32_t>(54 + row * h));
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));
    u16(1);
    u16(24);
    for (int i = 0; i < 6; ++i)
        u32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = fn(x, y);
            out += static_cast<char>(p & 0xFF);
            out += static_cast<char>((p >> 8) & 0xFF);
            out += static_cast<char>((p >> 16) & 0xFF);
        }
        out.append(static_cast<size_t>(row - w * 3), '\0');
    }
    return out;
}

inline std::string SolidBmp(int w, int h, uint32_t pixel)
{
    return MakeBmp(w, h, [pixel](int, int) { return pixel; });
}

// One media item of the test project.
struct SlideTestItem {
    std::string data = std::string(164, '\0');
    std::string fileName;
    std::string title, titleFont = "Sans", titleStyle;
    std::string desc, descFont = "Sans", descStyle;
    std::string gradients, effect = "-1;", selectedBackgrounds;

    void SetI32(size_t offset, int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data[offset + static_cast<size_t>(i)] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }
    void SetFlag(size_t offset, bool v) { data[offset] = v ? 1 : 0; }
};

// A project database in a temporary folder, opened with its model objects, for slide and background tests.
class SlideTestProject {
public:
    std::string projectData = std::string(80, '\0');
    std::vector<SlideTestItem> items;
    std::vector<std::pair<std::string, std::string>> media; // name, bytes
    std::vector<std::string> backImages;                    // names

    void SetProjectI32(size_t offset, int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            projectData[offset + static_cast<size_t>(i)] =
                static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }

    // Writes and opens the database; the first item is current.
    bool Open(IRandom& random)
    {
        TableContent project("project", {"data", "projectname"});
        project.AddRecord({projectData, "Test.kdp"});
        TableContent setting("setting",
                             {"data", "filename", "title", "titlefontname", "titlefontstyle", "desc", "descfontname",
                              "descfontstyle", "gradientstring", "effect", "selectedimagebackgroundstring"});
        for (const SlideTestItem& i : items)
            setting.AddRecord({i.data, i.fileName, i.title, i.titleFont, i.titleStyle, i.desc, i.descFont, i.descStyle,
                               i.gradients, i.effect, i.selectedBackgrounds});
        TableContent mediaTable("media", {"name", "media"}, {false, true});
        for (const auto& [name, bytes] : media)
            mediaTable.AddRecord({name, bytes});
        TableContent back("backimage", {"name"});
        for (const std::string& name : backImages)
            back.AddRecord({name});
        path = dir.File("project.db");
        if (!WriteDatabaseFile(path, {project, setting, mediaTable, back}))
            return false;
        if (!db.Open(path, 0))
            return false;
        info.SetDatabase(&db);
        info.OpenProjectTable();
        info.Load();
        info.SetExecutablePath(dir.File("show.scr"));
        settings = std::make_unique<MediaPlaylist>(clock, random);
        settings->SetDatabase(&db);
        if (!settings->Open())
            return false;
        settings->LoadCurrent();
        mediaTable_.SetDatabase(&db);
        return mediaTable_.Open();
    }

    MediaTable& Media() { return mediaTable_; }

    TempDir dir;
    std::string path;
    VirtualClock clock;
    ProjectDatabase db;
    ProjectInfo info;
    std::unique_ptr<MediaPlaylist> settings;

private:
    MediaTable mediaTable_;
};
