// Edits from the page reach the manifest through the reader and writer, and nothing else changes it.
#include "StudioFixture.h"

#include "scrpack/manifest/ManifestReader.h"
#include "scrpack/manifest/ManifestWriter.h"

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct EditCase {
    const char* what;
    json edit;
    std::function<void(const json& show)> expect;
};

// ctest names a case by what PrintTo says of it.
void PrintTo(const EditCase& c, std::ostream* os)
{
    *os << Slug(c.what);
}

class StudioEdits : public StudioFixture, public ::testing::WithParamInterface<EditCase> { };

// After each kind of edit the manifest on disk reads back to the same show and is what the writer writes
// for it: nothing is kept that the next reader would lose or read differently.
TEST_P(StudioEdits, ReachTheManifestAndReadBack)
{
    const EditCase& c = GetParam();
    const json show = Edit(c.edit);
    c.expect(show);
    ManifestOptions options;
    options.keepConversions = true;
    const std::string text = TempDir::Read(manifest);
    const PackPlan plan = ReadManifest(manifest, options);
    PackPlan relative = plan;
    for (auto& item : relative.items)
        item.media.file.sourcePath = fs::path(item.media.file.sourcePath).filename().string();
    for (auto& file : relative.media)
        file.sourcePath = fs::path(file.sourcePath).filename().string();
    for (auto& music : relative.music)
        music.file.sourcePath = fs::path(music.file.sourcePath).filename().string();
    EXPECT_EQ(WriteManifestText(relative), text) << c.what;
    auto state = Get("/api/state");
    ASSERT_TRUE(state);
    c.expect(json::parse(state->body));
}

const auto kEdits = ::testing::Values(EditCase{"title and description with accents",
                                               {{"op", "item"},
                                                {"index", 1},
                                                {"set",
                                                 {{"title", {{"text", "Café"}}},
                                                  {"description", {{"text", "à\r\nbientôt"}}}}}},
                                               [](const json& s) {
                                                   EXPECT_EQ(s["items"][1]["title"]["text"], "Café");
                                                   EXPECT_EQ(s["items"][1]["description"]["text"], "à\r\nbientôt");
                                               }},
                                      EditCase{"record values",
                                               {{"op", "item"},
                                                {"index", 0},
                                                {"set",
                                                 {{"title", {{"position", "bottom-right"}, {"colour", "#FF8000"}}},
                                                  {"background",
                                                   {{"gradient", true}, {"gradients", {3}}, {"placement", "center"}}},
                                                  {"video_mode", 5},
                                                  {"play_music", false}}}},
                                               [](const json& s) {
                                                   EXPECT_EQ(s["items"][0]["title"]["position"], "bottom-right");
                                                   EXPECT_EQ(s["items"][0]["title"]["colour"], "#FF8000");
                                                   EXPECT_EQ(s["items"][0]["background"]["gradients"], json({3}));
                                                   EXPECT_EQ(s["items"][0]["video_mode"], 5);
                                                   EXPECT_EQ(s["items"][0]["play_music"], false);
                                               }},
                                      EditCase{"one effect, then the set for every item",
                                               {{"op", "items"},
                                                {"set",
                                                 {{"transition",
                                                   {{"effects", {45, "Circle(Center)"}}, {"random", false}}}}}},
                                               [](const json& s) {
                                                   for (const auto& item : s["items"])
                                                       EXPECT_EQ(item["transition"]["effects"], json({45, 36}));
                                               }},
                                      EditCase{"the bound sound",
                                               {{"op", "item"}, {"index", 2}, {"set", {{"sound", "bell.wav"}}}},
                                               [](const json& s) { EXPECT_EQ(s["items"][2]["sound"], "bell.wav"); }},
                                      EditCase{
                                          "project texts and options",
                                          {{"op", "project"},
                                           {"set", {{"author", "Zoë"}, {"author_website", "https://example.org"}}}},
                                          [](const json& s) { EXPECT_EQ(s["project"]["author"], "Zoë"); }},
                                      EditCase{"options",
                                               {{"op", "options"},
                                                {"set", {{"display_time", 7}, {"scale_mode", "stretch"}}}},
                                               [](const json& s) {
                                                   EXPECT_EQ(s["options"]["display_time"], 7);
                                                   EXPECT_EQ(s["options"]["scale_mode"], "stretch");
                                               }},
                                      EditCase{"a move",
                                               {{"op", "move"}, {"list", "media"}, {"from", 0}, {"to", 2}},
                                               [](const json& s) {
                                                   EXPECT_EQ(s["items"][0]["name"], "b.jpg");
                                                   EXPECT_EQ(s["items"][2]["name"], "a.jpg");
                                               }},
                                      EditCase{"a removal",
                                               {{"op", "remove"}, {"list", "media"}, {"index", 1}},
                                               [](const json& s) {
                                                   ASSERT_EQ(s["items"].size(), 2u);
                                                   EXPECT_EQ(s["items"][1]["name"], "c.jpg");
                                               }},
                                      EditCase{"an added picture and sound",
                                               {{"op", "add"}, {"list", "media"}, {"file", "a.jpg"}},
                                               [](const json& s) {
                                                   ASSERT_EQ(s["items"].size(), 4u);
                                                   EXPECT_EQ(s["items"][3]["title"]["text"], "a");
                                               }});

INSTANTIATE_TEST_SUITE_P(Kinds, StudioEdits, kEdits);

struct RefusalCase {
    const char* what;
    json edit;
    const char* key;
    const char* reason;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << Slug(c.what);
}

class StudioRefusals : public StudioFixture, public ::testing::WithParamInterface<RefusalCase> { };

// A refused edit says why and which key, and leaves the manifest as it was, byte for byte.
TEST_P(StudioRefusals, LeaveTheManifestAlone)
{
    const RefusalCase& c = GetParam();
    Edit({{"op", "project"}, {"set", {{"author", "Jo"}}}});
    const std::string before = TempDir::Read(manifest);
    const json refusal = Edit(c.edit, 422);
    EXPECT_EQ(refusal.value("key", ""), c.key) << c.what;
    EXPECT_NE(refusal.value("error", "").find(c.reason), std::string::npos) << refusal.dump();
    EXPECT_EQ(TempDir::Read(manifest), before) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Bad, StudioRefusals,
    ::testing::Values(
        RefusalCase{"a character outside the code page",
                    {{"op", "item"}, {"index", 0}, {"set", {{"title", {{"text", "Ω"}}}}}},
                    "media[0].title.text",
                    "U+03A9"},
        RefusalCase{"a Greek title where the charset reads Greek is fine, a Euro sign in Greek",
                    {{"op", "item"}, {"index", 0}, {"set", {{"title", {{"charset", 161}, {"text", "Ω ‰ ☃"}}}}}},
                    "media[0].title.text",
                    "U+2603"},
        RefusalCase{"a website of another scheme",
                    {{"op", "project"}, {"set", {{"author_website", "javascript:alert(1)"}}}},
                    "project.author_website",
                    "http"},
        RefusalCase{"an unknown effect",
                    {{"op", "item"}, {"index", 0}, {"set", {{"transition", {{"effects", {"Fade slowly"}}}}}}},
                    "media[0].transition.effects",
                    "unknown effect"},
        RefusalCase{"an unknown key",
                    {{"op", "item"}, {"index", 0}, {"set", {{"colour", "#000000"}}}},
                    "media[0].colour",
                    "unknown key"},
        RefusalCase{"a sound that is not in the music",
                    {{"op", "item"}, {"index", 0}, {"set", {{"sound", "gong.wav"}}}},
                    "media[0].sound",
                    "no [[music]]"},
        RefusalCase{"no such item", {{"op", "item"}, {"index", 3}, {"set", json::object()}}, "", "no such item"},
        RefusalCase{"a float", {{"op", "options"}, {"set", {{"display_time", 1.5}}}}, "", "cannot be held"}));

TEST_F(StudioFixture, ConcurrentEditsAllLandAndTheManifestIsAlwaysWhole)
{
    std::atomic<bool> stop{false};
    std::atomic<int> unreadable{0};
    std::thread reader([&] {
        while (!stop) {
            try {
                ReadManifest(manifest, [] {
                    ManifestOptions o;
                    o.keepConversions = true;
                    return o;
                }());
            } catch (const ManifestError&) {
                ++unreadable;
            }
        }
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < 6; ++w) {
        writers.emplace_back([&, w] {
            httplib::Client own_client("127.0.0.1", server->Port());
            for (int n = 0; n < 8; ++n) {
                const json edit = w < 3
                    ? json{{"op", "item"},
                           {"index", w},
                           {"set", {{"title", {{"text", "t" + std::to_string(w) + "-" + std::to_string(n)}}}}}}
                    : json{{"op", "project"},
                           {"set",
                            {{w == 3       ? "author"
                                  : w == 4 ? "version"
                                           : "copyright",
                              "v" + std::to_string(n)}}}};
                auto result = own_client.Post("/api/edit", own, edit.dump(), "application/json");
                EXPECT_TRUE(result && result->status == 200);
            }
        });
    }
    for (auto& t : writers)
        t.join();
    stop = true;
    reader.join();
    EXPECT_EQ(unreadable, 0);
    const json show = json::parse(Get("/api/state")->body);
    for (int w = 0; w < 3; ++w)
        EXPECT_EQ(show["items"][w]["title"]["text"], "t" + std::to_string(w) + "-7");
    EXPECT_EQ(show["project"]["author"], "v7");
    EXPECT_EQ(show["project"]["version"], "v7");
    EXPECT_EQ(show["project"]["copyright"], "v7");
    for (const auto& entry : fs::directory_iterator(dir.Path() / "show"))
        EXPECT_EQ(entry.path().filename().string().find(".studio-"), std::string::npos) << entry.path();
}

TEST_F(StudioFixture, AManifestChangedOnDiskIsReadBeforeTheNextEdit)
{
    Edit({{"op", "project"}, {"set", {{"author", "Jo"}}}});
    std::string text = TempDir::Read(manifest);
    text.replace(text.find("Jo"), 2, "Kim");
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a new modification time
    dir.Write("show/manifest.toml", text);
    const json show = Edit({{"op", "project"}, {"set", {{"version", "2"}}}});
    EXPECT_EQ(show["project"]["author"], "Kim");
    EXPECT_EQ(show["project"]["version"], "2");
}

// The studio reads a manifest without preparing its pictures; written back, it packs as before: a picture to
// be prepared is still named after its prepared file, and one to be stored as it is still says so.
TEST(StudioManifest, PicturesStillToBePreparedReadBackAsTheyWere)
{
    TempDir dir;
    dir.Write("a.jpg", HalvesJpeg(16, 16));
    dir.Write("b.jpg", HalvesJpeg(16, 16));
    dir.Write("c.jpg", HalvesJpeg(16, 16));
    const std::string manifest = dir.Write("show.toml",
                                           "[[media]]\nfile = \"a.jpg\"\n"
                                           "[[media]]\nfile = \"b.jpg\"\nconvert = false\n"
                                           "[[media]]\nfile = \"c.jpg\"\nname = \"cover.jpg\"\n");
    ManifestOptions keep;
    keep.keepConversions = true;
    PackPlan plan = ReadManifest(manifest, keep);
    ASSERT_EQ(plan.items.size(), 3u);
    EXPECT_TRUE(plan.items[0].media.preparePending);
    EXPECT_FALSE(plan.items[1].media.preparePending);
    EXPECT_TRUE(plan.items[1].media.asIs);
    for (auto& item : plan.items)
        item.media.file.sourcePath = fs::path(item.media.file.sourcePath).filename().string();
    plan.media.clear();
    const std::string text = WriteManifestText(plan);
    const toml::table written = toml::parse(text);
    const toml::array& items = *written.get_as<toml::array>("media");
    EXPECT_FALSE(items.get(0)->as_table()->contains("name")) << text;
    EXPECT_EQ(items.get(1)->as_table()->get("convert")->value<bool>(), false) << text;
    EXPECT_EQ(items.get(2)->as_table()->get("name")->value<std::string>(), "cover.jpg") << text;
    dir.Write("again.toml", text);
    const PackPlan again = ReadManifest(dir.File("again.toml"));
    EXPECT_EQ(again.items[0].texts.at("filename"), "a.jpg");
    EXPECT_EQ(again.items[2].texts.at("filename"), "cover.jpg");
}

} // namespace
