#pragma once
#include <cstddef>
#include <memory>
#include <string>

// What a studio is opened with.
struct StudioSetup {
    std::string manifest;       // the show's manifest; its folder is the only one the studio touches
    int port = 0;               // 0: a free port
    std::string cacheFolder;    // thumbnails; empty: the user's cache folder
    std::string windowsRuntime; // the programs builds are packed onto ("" when there is none)
    std::string linuxRuntime;
    size_t maxUploadBytes = size_t(512) << 20; // larger uploads are refused
};

// The studio's web server on the loopback address: the page, and the API it edits, previews and builds the
// show through (StudioApi.cpp). Every request passes the RequestGuard first.
class StudioServer {
public:
    explicit StudioServer(StudioSetup setup);
    ~StudioServer();
    StudioServer(const StudioServer&) = delete;
    StudioServer& operator=(const StudioServer&) = delete;

    // Reads the manifest, binds the port and serves on a thread of its own. False with a message.
    bool Start(std::string& error);
    // Stops serving; running previews and builds end first.
    void Stop();

    int Port() const;
    const std::string& Token() const;
    // The address to open: http://127.0.0.1:PORT/?token=...
    std::string Address() const;

    struct Parts;

private:
    std::unique_ptr<Parts> parts_;
};
