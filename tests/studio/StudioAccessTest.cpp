// Who may reach the studio's server, and which files a request may name.
#include "StudioFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct AccessCase {
    const char* what;
    bool post;
    const char* host;   // "" own; else this Host
    const char* origin; // nullptr: none; "" own; else this Origin
    const char* token;  // nullptr: the cookie; "" none; "wrong": a wrong one; "query": the right one in the address
    int status;
};

// ctest names a case by what PrintTo says of it.
void PrintTo(const AccessCase& c, std::ostream* os)
{
    *os << Slug(c.what);
}

class StudioAccess : public StudioFixture, public ::testing::WithParamInterface<AccessCase> { };

TEST_P(StudioAccess, TokenHostAndOrigin)
{
    const AccessCase& c = GetParam();
    httplib::Headers headers{{"Host", *c.host ? c.host : Host()}};
    if (c.origin)
        headers.emplace("Origin", *c.origin ? c.origin : "http://" + Host());
    std::string path = c.post ? "/api/edit" : "/api/state";
    if (!c.token)
        headers.emplace("Cookie", Cookie());
    else if (std::string(c.token) == "wrong")
        headers.emplace("Cookie", "qm_studio_" + std::to_string(server->Port()) + "=" + std::string(64, '0'));
    else if (std::string(c.token) == "query")
        path += "?token=" + server->Token();
    const std::string body = R"({"op":"project","set":{"author":"Jo"}})";
    auto result =
        c.post ? client->Post(path.c_str(), headers, body, "application/json") : client->Get(path.c_str(), headers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status) << c.what << ": " << result->body;
    if (c.status != 200 && c.post) {
        // A refused change changes nothing.
        EXPECT_EQ(TempDir::Read(manifest).find("Jo"), std::string::npos) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, StudioAccess,
    ::testing::Values(AccessCase{"the page's own read", false, "", nullptr, nullptr, 200},
                      AccessCase{"the token in the address", false, "", nullptr, "query", 200},
                      AccessCase{"no token", false, "", nullptr, "", 401},
                      AccessCase{"a wrong token", false, "", nullptr, "wrong", 401},
                      AccessCase{"a rebound name", false, "attacker.example:80", nullptr, nullptr, 421},
                      AccessCase{"the right name on another port", false, "127.0.0.1:1", nullptr, nullptr, 421},
                      AccessCase{"the page's own change", true, "", "", nullptr, 200},
                      AccessCase{"a change without Origin", true, "", nullptr, nullptr, 403},
                      AccessCase{"a change from another site", true, "", "http://attacker.example", nullptr, 403},
                      AccessCase{"a change from a look-alike origin", true, "", "http://127.0.0.1.attacker.example",
                                 nullptr, 403},
                      AccessCase{"a change with the Origin but no token", true, "", "", "", 401}));

TEST_F(StudioFixture, TheAddressTokenBecomesAStrictCookie)
{
    auto result = client->Get(("/?token=" + server->Token()).c_str(), {{"Host", Host()}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 303);
    const std::string cookie = result->get_header_value("Set-Cookie");
    EXPECT_EQ(cookie.rfind(Cookie(), 0), 0u) << cookie;
    EXPECT_NE(cookie.find("HttpOnly"), std::string::npos);
    EXPECT_NE(cookie.find("SameSite=Strict"), std::string::npos);
    auto page = Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("<!doctype html>"), std::string::npos);
}

class StudioPaths : public StudioFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void Customise(StudioSetup&) override
    {
        fs::create_directory_symlink(dir.Path() / "outside", dir.Path() / "show" / "linked");
        fs::create_symlink(dir.Path() / "outside" / "secret.jpg", dir.Path() / "show" / "secret.jpg");
    }
};

// Every way to name a file outside the show's folder is refused by every request that takes a path.
TEST_P(StudioPaths, NothingOutsideTheFolderIsReadOrWritten)
{
    const std::string raw = GetParam();
    auto thumb = Get("/api/thumb?path=" + raw);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->status, 403) << raw << ": " << thumb->body;
    std::string decoded = raw;
    for (size_t i = 0; (i = decoded.find("%2e", i)) != std::string::npos;)
        decoded.replace(i, 3, ".");
    for (size_t i = 0; (i = decoded.find("%2f", i)) != std::string::npos;)
        decoded.replace(i, 3, "/");
    auto add = Post("/api/edit", {{"op", "add"}, {"list", "media"}, {"file", decoded}});
    ASSERT_TRUE(add);
    EXPECT_EQ(add->status, 403) << decoded << ": " << add->body;
    httplib::MultipartFormDataItems form = {{"file", HalvesJpeg(8, 8), "x.jpg", "image/jpeg"},
                                            {"folder", decoded, "", ""}};
    auto upload = client->Post("/api/upload", own, form);
    ASSERT_TRUE(upload);
    EXPECT_EQ(upload->status, 403) << decoded;
    EXPECT_FALSE(fs::exists(dir.Path() / "outside" / "x.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Escapes, StudioPaths,
                         ::testing::Values("../outside/secret.jpg", "%2e%2e/outside/secret.jpg",
                                           "%2e%2e%2foutside%2fsecret.jpg", "sub/../../outside/secret.jpg",
                                           "/etc/passwd", "linked/secret.jpg", "secret.jpg"));

TEST_F(StudioPaths, TheLibraryListsNoFileBeyondALink)
{
    auto library = Get("/api/library");
    ASSERT_TRUE(library);
    const auto files = nlohmann::json::parse(library->body);
    std::vector<std::string> paths;
    for (const auto& file : files)
        paths.push_back(file["path"]);
    EXPECT_EQ(paths, (std::vector<std::string>{"a.jpg", "b.jpg", "bell.wav", "c.jpg"}));
}

struct UploadCase {
    const char* name;
    std::string bytes;
    int status;
    const char* stored; // nullptr when refused
};

void PrintTo(const UploadCase& c, std::ostream* os)
{
    *os << Slug(c.name);
}

class StudioUploads : public StudioFixture, public ::testing::WithParamInterface<UploadCase> { };

TEST_P(StudioUploads, StoredOnlyWhenTheyAreWhatTheySay)
{
    const UploadCase& c = GetParam();
    auto result = client->Post("/api/upload", own, {{"file", c.bytes, c.name, "application/octet-stream"}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status) << c.name << ": " << result->body;
    if (c.stored) {
        EXPECT_EQ(nlohmann::json::parse(result->body)["stored"], c.stored);
        EXPECT_EQ(TempDir::Read(dir.File(std::string("show/") + c.stored)), c.bytes);
    }
    // Nothing half-written is left behind, and nothing lands outside.
    for (const auto& entry : fs::directory_iterator(dir.Path() / "show"))
        EXPECT_NE(entry.path().filename().string().rfind(".upload-", 0), 0u) << entry.path();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() / "outside"), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StudioUploads,
    ::testing::Values(UploadCase{"new.jpg", HalvesJpeg(16, 16), 200, "new.jpg"},
                      UploadCase{"a.jpg", HalvesJpeg(16, 16), 200, "a (2).jpg"},
                      UploadCase{"../../outside/up.jpg", HalvesJpeg(16, 16), 200, "up.jpg"},
                      UploadCase{"song.wav", SilentWave(), 200, "song.wav"},
                      UploadCase{"too-big.jpg", HalvesJpeg(1200, 1200) + std::string(70 << 10, 'x'), 413, nullptr},
                      UploadCase{"text.jpg", "just some words, not a picture", 415, nullptr},
                      UploadCase{"picture.mp3", HalvesJpeg(16, 16), 415, nullptr},
                      UploadCase{"script.sh", "#!/bin/sh\n", 415, nullptr},
                      UploadCase{"cut.jpg", HalvesJpeg(64, 64).substr(0, 300), 415, nullptr}));

} // namespace
