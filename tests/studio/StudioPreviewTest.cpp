// What the studio makes from the show's files: thumbnails, effect previews, the streamed show, builds.
#include "StudioFixture.h"

#include "codecs/PictureLoad.h"
#include "gfx/Picture.h"

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

Picture DecodeJpeg(const std::string& bytes)
{
    Picture picture;
    LoadFromIStream(picture, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return picture;
}

// An APP1 EXIF segment holding only the orientation tag, put after the JPEG's start marker.
std::string WithOrientation(const std::string& jpeg, uint16_t orientation)
{
    std::string tiff = std::string("II*\0", 4) + std::string("\x08\0\0\0", 4) + std::string("\x01\0", 2) +
        std::string("\x12\x01\x03\0\x01\0\0\0", 8) + char(orientation) + std::string("\0\0\0", 3) +
        std::string(4, '\0');
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const size_t length = body.size() + 2;
    return jpeg.substr(0, 2) + "\xFF\xE1" + char(length >> 8) + char(length & 0xff) + body + jpeg.substr(2);
}

TEST_F(StudioFixture, ThumbnailsStandUprightAndComeFromTheCache)
{
    // 64 × 32, red left and blue right, to be turned a quarter clockwise: red on top.
    dir.Write("show/phone.jpg", WithOrientation(HalvesJpeg(64, 32), 6));
    auto first = Get("/api/thumb?path=phone.jpg&side=32");
    ASSERT_TRUE(first);
    ASSERT_EQ(first->status, 200) << first->body;
    const Picture thumb = DecodeJpeg(first->body);
    ASSERT_TRUE(thumb.IsLoaded());
    EXPECT_EQ(thumb.Width(), 16);
    EXPECT_EQ(thumb.Height(), 32);
    const Colorref top = thumb.GetPixel(8, 4), bottom = thumb.GetPixel(8, 28);
    EXPECT_GT(top & 0xff, 200u) << std::hex << top;             // red
    EXPECT_GT(bottom >> 16 & 0xff, 200u) << std::hex << bottom; // blue
    bool kept = false;
    for (const auto& entry : fs::directory_iterator(dir.File("cache")))
        kept = kept || TempDir::Read(entry.path().string()) == first->body;
    EXPECT_TRUE(kept) << "the thumbnail is kept in the cache folder";
    // The same file again is the cached one; a changed file is made anew.
    EXPECT_EQ(Get("/api/thumb?path=phone.jpg&side=32")->body, first->body);
    dir.Write("show/phone.jpg", HalvesJpeg(64, 32));
    fs::last_write_time(dir.File("show/phone.jpg"), fs::file_time_type::clock::now() + std::chrono::seconds(5));
    EXPECT_EQ(DecodeJpeg(Get("/api/thumb?path=phone.jpg&side=32")->body).Width(), 32);

    dir.Write("show/broken.jpg", "no picture");
    auto broken = Get("/api/thumb?path=broken.jpg");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->status, 422);
    EXPECT_FALSE(json::parse(broken->body)["error"].get<std::string>().empty());
}

TEST_F(StudioFixture, AnEffectPreviewGoesFromOneItemsScreenToTheNext)
{
    auto result = Get("/api/effect?from=0&to=1&effect=12&width=160&height=90");
    ASSERT_TRUE(result);
    ASSERT_EQ(result->status, 200) << result->body;
    const int frames = std::stoi(result->get_header_value("X-Frames"));
    EXPECT_GT(frames, 2);
    EXPECT_EQ(result->get_header_value("X-Height"), "90");
    const Picture strip = DecodeJpeg(result->body);
    ASSERT_EQ(strip.Height(), 90 * frames);
    // Item a (64 × 48) fills the height and leaves black at the sides; item b (48 × 64) leaves more.
    // The first frame shows a, the last b: at x = 30 a shows red, b shows black.
    EXPECT_GT(strip.GetPixel(30, 45) & 0xff, 150u);
    EXPECT_LT(strip.GetPixel(30, 90 * (frames - 1) + 45) & 0xff, 40u);

    auto bad = Get("/api/effect?from=0&to=1&effect=163");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 200); // clamped to the last effect
}

TEST_F(StudioFixture, TheWholeShowStreamsAsFragmentedMp4)
{
    auto started = Post("/api/preview", {{"from", 1}, {"width", 320}, {"height", 180}});
    ASSERT_TRUE(started);
    ASSERT_EQ(started->status, 200) << started->body;
    const int id = json::parse(started->body)["id"];
    std::string head;
    httplib::Client stream("127.0.0.1", server->Port());
    stream.Get(("/api/preview/" + std::to_string(id) + ".mp4").c_str(), own, [&](const char* data, size_t size) {
        head.append(data, size);
        return head.find("moof") == std::string::npos; // enough once the first fragment is in
    });
    EXPECT_EQ(head.substr(4, 4), "ftyp");
    EXPECT_NE(head.find("moov"), std::string::npos);
    EXPECT_NE(head.find("moof"), std::string::npos);
    Post("/api/preview/stop", json::object());
}

TEST_F(StudioFixture, ABuildChecksEveryPictureAndNamesTheItem)
{
    dir.Write("show/c.jpg", "not a picture any more");
    auto started = Post("/api/build", {{"kind", "linux"}});
    ASSERT_TRUE(started);
    ASSERT_EQ(started->status, 200) << started->body;
    json status;
    for (int i = 0; i < 200; ++i) {
        status = json::parse(Get("/api/build")->body);
        if (status["state"] == "failed" || status["state"] == "done")
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(status["state"], "failed") << status.dump();
    ASSERT_EQ(status["problems"].size(), 1u);
    EXPECT_EQ(status["problems"][0]["item"], 2);

    dir.Write("show/c.jpg", HalvesJpeg(80, 40));
    ASSERT_EQ(Post("/api/build", {{"kind", "linux"}})->status, 200);
    for (int i = 0; i < 200 && status["state"] != "done"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        status = json::parse(Get("/api/build")->body);
    }
    EXPECT_EQ(status["state"], "done") << status.dump();
    EXPECT_TRUE(fs::exists(dir.File("show/Test-linux.scr")));
    EXPECT_EQ(Post("/api/build", {{"kind", "windows"}})->status, 409); // no Windows runtime here

    // The video: one round of the show, rendered by the show's renderer.
    Edit({{"op", "options"}, {"set", {{"display_time", 1}}}});
    ASSERT_EQ(Post("/api/build", {{"kind", "video"}})->status, 200);
    status = json::parse(Get("/api/build")->body);
    for (int i = 0; i < 1200 && status["state"] != "done" && status["state"] != "failed"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        status = json::parse(Get("/api/build")->body);
    }
    EXPECT_EQ(status["state"], "done") << status.dump();
    EXPECT_EQ(TempDir::Read(dir.File("show/Test.mp4")).substr(4, 4), "ftyp");
    EXPECT_FALSE(fs::exists(dir.File("show/.studio-video")));
}

} // namespace
