#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// A progress line on stderr for long packs and extracts, shown only when stderr is a terminal.
class Progress {
public:
    Progress(std::string what, uint64_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Set(uint64_t done);
    void Add(uint64_t bytes) { Set(done_ + bytes); }
    // Clears the line.
    void Finish();

    // Shows progress while another piece of code writes the file at path, by watching it grow.
    void WatchFile(const std::string& path);

    static bool Enabled();

private:
    void Draw(uint64_t done);

    std::string what_;
    uint64_t total_;
    uint64_t done_ = 0;
    bool enabled_;
    bool drawn_ = false;
    int lastPercent_ = -1;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};
