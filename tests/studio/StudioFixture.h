#pragma once
// A studio served on a free loopback port over a folder of three small photos and a sound, and a client
// that talks to it as the page does (the session's cookie, the server's own Host and Origin).
#include "scrpack/studio/StudioServer.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <cctype>
#include <string>

// A test name from a case's description: letters and digits, the rest as underscores.
inline std::string Slug(const std::string& text)
{
    std::string name;
    for (char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// A JPEG of w × h: the left half red, the right half blue.
inline std::string HalvesJpeg(int w, int h)
{
    const auto bytes = testjpeg::Encode(w, h, {}, [w](int, JSAMPLE* row) {
        for (int x = 0; x < w; ++x) {
            row[3 * x] = x < w / 2 ? 255 : 0;
            row[3 * x + 1] = 0;
            row[3 * x + 2] = x < w / 2 ? 0 : 255;
        }
    });
    return std::string(bytes.begin(), bytes.end());
}

// A minimal WAVE file: its header and a little silence.
inline std::string SilentWave()
{
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char(v >> (8 * i));
        return s;
    };
    const std::string data(4410, '\0');
    return "RIFF" + le(36 + uint32_t(data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) +
        le(44100, 4) + le(2, 2) + le(16, 2) + "data" + le(uint32_t(data.size()), 4) + data;
}

class StudioFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.Path() / "show");
        std::filesystem::create_directories(dir.Path() / "outside");
        dir.Write("show/a.jpg", HalvesJpeg(64, 48));
        dir.Write("show/b.jpg", HalvesJpeg(48, 64));
        dir.Write("show/c.jpg", HalvesJpeg(80, 40));
        dir.Write("show/bell.wav", SilentWave());
        dir.Write("outside/secret.jpg", HalvesJpeg(32, 32));
        manifest = dir.Write("show/manifest.toml",
                             "[project]\nname = \"Test.kdp\"\n\n"
                             "[[media]]\nfile = \"a.jpg\"\n[[media]]\nfile = \"b.jpg\"\n"
                             "[[media]]\nfile = \"c.jpg\"\n\n[[music]]\nfile = \"bell.wav\"\n");
        StudioSetup setup;
        setup.manifest = manifest;
        setup.cacheFolder = dir.File("cache");
        setup.maxUploadBytes = 64 << 10;
        setup.linuxRuntime = dir.Write("runtime",
                                       std::string("\x7f"
                                                   "ELF",
                                                   4) +
                                           std::string(60, '\0'));
        Customise(setup);
        server = std::make_unique<StudioServer>(setup);
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
        client = std::make_unique<httplib::Client>("127.0.0.1", server->Port());
        client->set_read_timeout(60, 0);
        own = {{"Host", Host()}, {"Origin", "http://" + Host()}, {"Cookie", Cookie()}};
    }
    void TearDown() override
    {
        if (server)
            server->Stop();
    }
    virtual void Customise(StudioSetup&) { }

    std::string Host() const { return "127.0.0.1:" + std::to_string(server->Port()); }
    std::string Cookie() const { return "qm_studio_" + std::to_string(server->Port()) + "=" + server->Token(); }

    httplib::Result Get(const std::string& path) { return client->Get(path.c_str(), own); }
    httplib::Result Post(const std::string& path, const nlohmann::json& body)
    {
        return client->Post(path.c_str(), own, body.dump(), "application/json");
    }
    // An edit; the show after it (or the refusal).
    nlohmann::json Edit(const nlohmann::json& edit, int expect = 200)
    {
        auto result = Post("/api/edit", edit);
        EXPECT_TRUE(result);
        if (!result)
            return {};
        EXPECT_EQ(result->status, expect) << edit.dump() << " -> " << result->body;
        return nlohmann::json::parse(result->body, nullptr, false);
    }

    TempDir dir;
    std::string manifest;
    std::unique_ptr<StudioServer> server;
    std::unique_ptr<httplib::Client> client;
    httplib::Headers own;
};
