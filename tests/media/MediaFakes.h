#pragma once
// A media control interface whose devices the test scripts, and a player window, both recording what they
// are asked.
#include "media/MciCommands.h"
#include "media/VideoPlayer.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

class FakeMci : public IMciCommands {
public:
    struct Device {
        bool video = false;
        int width = 0;
        int height = 0;
        uint32_t length = 0;
        uint32_t position = 0;
        uint32_t mode = Mci::kModeStop;
        MciRect destination;
        WindowRef window = nullptr;
    };
    static Device Sound(uint32_t length)
    {
        Device d;
        d.length = length;
        return d;
    }
    static Device Video(int width, int height, uint32_t length)
    {
        Device d;
        d.video = true;
        d.width = width;
        d.height = height;
        d.length = length;
        d.destination = MciRect{0, 0, width, height};
        return d;
    }

    // What opens: by element name.
    std::map<std::string, Device> files;
    std::map<uint32_t, Device> open;
    // Commands answered with an error, by name ("close", "resume", "where", ...).
    std::set<std::string> refuse;
    std::vector<std::string> log;
    MciRect windowRect{5, 6, 70, 80};

    Device& Only() { return open.begin()->second; }
    // The log without the status queries, which players make all the time.
    std::vector<std::string> Commands() const
    {
        std::vector<std::string> out;
        for (const std::string& line : log) {
            if (line.rfind("status", 0) != 0)
                out.push_back(line);
        }
        return out;
    }

    uint32_t Open(const char* element, uint32_t& device) override
    {
        log.push_back(std::string("open ") + element);
        auto file = files.find(element);
        if (file == files.end() || refuse.count("open"))
            return Mci::kErrFileNotFound;
        device = next_++;
        open[device] = file->second;
        return 0;
    }
    uint32_t Close(uint32_t device, WindowRef) override
    {
        if (Answer("close", device))
            return Mci::kErrNonapplicableFunction;
        open.erase(device);
        return 0;
    }
    uint32_t Play(uint32_t device, WindowRef) override
    {
        if (Answer("play", device))
            return Mci::kErrNonapplicableFunction;
        open[device].mode = Mci::kModePlay;
        return 0;
    }
    uint32_t SeekToStart(uint32_t device) override
    {
        if (Answer("seek", device))
            return Mci::kErrNonapplicableFunction;
        open[device].position = 0;
        open[device].mode = Mci::kModeStop;
        return 0;
    }
    uint32_t Stop(uint32_t device) override
    {
        if (Answer("stop", device))
            return Mci::kErrNonapplicableFunction;
        open[device].mode = Mci::kModeStop;
        return 0;
    }
    uint32_t Pause(uint32_t device) override
    {
        if (Answer("pause", device) || open[device].mode != Mci::kModePlay)
            return Mci::kErrNonapplicableFunction;
        open[device].mode = Mci::kModePause;
        return 0;
    }
    uint32_t Resume(uint32_t device) override
    {
        if (Answer("resume", device) || open[device].mode != Mci::kModePause)
            return Mci::kErrNonapplicableFunction;
        open[device].mode = Mci::kModePlay;
        return 0;
    }
    uint32_t Status(uint32_t device, uint32_t item, uint32_t& value) override
    {
        if (Answer("status " + std::to_string(item), device))
            return Mci::kErrNonapplicableFunction;
        const Device& d = open[device];
        value = item == Mci::kStatusPosition ? d.position : item == Mci::kStatusLength ? d.length : d.mode;
        return 0;
    }
    uint32_t GetDevCaps(uint32_t device, uint32_t item, uint32_t& value) override
    {
        if (Answer("caps " + std::to_string(item), device))
            return Mci::kErrNonapplicableFunction;
        const Device& d = open[device];
        value = item == Mci::kCapsHasVideo ? d.video
            : item == Mci::kCapsDeviceType ? (d.video ? Mci::kDevTypeDigitalVideo : Mci::kDevTypeWaveAudio)
            : item == Mci::kCapsCanPlay    ? 1
                                           : 0;
        return 0;
    }
    uint32_t Where(uint32_t device, bool source, MciRect& rect) override
    {
        const Device& d = open[device];
        if (Answer(source ? "where source" : "where destination", device) || !d.video)
            return Mci::kErrUnsupportedFunction;
        rect = source ? MciRect{0, 0, d.width, d.height} : d.destination;
        return 0;
    }
    uint32_t SetWindow(uint32_t device, WindowRef window) override
    {
        if (Answer("window", device))
            return Mci::kErrNonapplicableFunction;
        open[device].window = window;
        return 0;
    }
    uint32_t PutDestination(uint32_t device, const MciRect& r) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "put %d %d %d %d", r.left, r.top, r.right, r.bottom);
        if (Answer(text, device))
            return Mci::kErrNonapplicableFunction;
        open[device].destination = r;
        return 0;
    }
    MciRect WindowRect(WindowRef) override { return windowRect; }

private:
    // Logs the command with its device; true when it is to be refused.
    bool Answer(const std::string& command, uint32_t device)
    {
        log.push_back(command + (open.count(device) ? "" : " (no device)"));
        return refuse.count(command.substr(0, command.find(' '))) || refuse.count(command) || !open.count(device);
    }
    uint32_t next_ = 1;
};

// A sound player's or video player's window: timers by id and period, posts and drawing calls in order.
class FakeVideoWindow : public IVideoWindow {
public:
    Size size{1024, 768};
    uint32_t tick = 1000;
    std::map<uint32_t, uint32_t> timers;
    std::vector<uint32_t> posted;
    std::vector<std::string> log;

    // Delivers a tick of a running timer.
    void Fire(uint32_t id)
    {
        if (timers.count(id) && onTimer)
            onTimer(id);
    }

    WindowRef Handle() override { return this; }
    void SetTimer(uint32_t id, uint32_t ms) override { timers[id] = ms; }
    void KillTimer(uint32_t id) override { timers.erase(id); }
    void PostToParent(uint32_t message) override { posted.push_back(message); }
    Size ClientSize() override { return size; }
    uint32_t TickCount() override { return tick; }
    WindowRef CreatePanel(const Rect& r) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "panel %d %d %d %d", r.left, r.top, r.Width(), r.Height());
        log.push_back(text);
        return &panel_;
    }
    void ShowPanel(bool show) override { log.push_back(show ? "panel show" : "panel hide"); }
    void CopyBackground() override { log.push_back("copy background"); }
    void Show() override { log.push_back("show"); }
    void HideBehind() override { log.push_back("hide"); }

private:
    int panel_ = 0;
};
