#pragma once
#include "saver/EventLoop.h"
#include "saver/SaverFiles.h"
#include "saver/SaverMessages.h"
#include "saver/SaverSession.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The players and project parts a show runs with.
struct HeadlessShowParts {
    IMediaList* media = nullptr;
    ISoundTable* sounds = nullptr;
    std::function<std::unique_ptr<ISlidePlayer>()> createSlidePlayer;
    std::function<std::unique_ptr<ISoundPlayer>(uint32_t endMessage)> createSoundPlayer;
    std::function<std::unique_ptr<IVideoPlayer>()> createVideoPlayer;
    ISaverFiles* files = nullptr; // the real file system when not given
};

// The screensaver window without a system window of its own: the show's logic driven by an event loop
// (the headless host's, or the live window's), with the cursor, the taskbar and the password service
// simulated. A live window overrides what it has for real.
class HeadlessShow : public ISaverWindowHost {
public:
    HeadlessShow(EventLoop& loop, UserSettings& settings, SequencerOptions options, HeadlessShowParts parts);
    ~HeadlessShow() override;

    // Creates the window and presents the first item.
    void Start();
    bool Destroyed() const { return destroyed_; }
    SaverSession& Session() { return *session_; }

    // User input, delivered as the window would receive it.
    void KeyDown(uint32_t virtualKey);
    void MoveCursor(int32_t x, int32_t y);
    void Mouse(uint32_t message);
    // The password service's answer; absent means the platform has none (the check passes).
    std::optional<bool> passwordAnswer;
    // Cursor position while the password dialog is up (the user may move the mouse there).
    std::optional<std::pair<int32_t, int32_t>> cursorAfterPassword;

    // Observations.
    bool TaskbarVisible() const { return taskbarVisible_; }
    bool CursorShown() const { return cursorShown_; }
    int PasswordChecks() const { return passwordChecks_; }
    int TopmostCount() const { return topmost_; }
    const std::vector<std::string>& MessagesShown() const { return messages_; }
    // Keys that reached dialog processing (in Program, Return and Escape end the dialog there).
    const std::vector<uint32_t>& KeysPassedOn() const { return keysPassedOn_; }

    // ISaverWindowHost
    WindowRef Window() override { return this; }
    void SetTimer(uint32_t id, uint32_t ms) override { loop_.SetTimer(id, ms); }
    void KillTimer(uint32_t id) override { loop_.KillTimer(id); }
    void ShowMessage(const std::string& text) override { messages_.push_back(text); }
    void MakeTopmost() override { ++topmost_; }
    std::unique_ptr<IVideoPlayer> CreateVideoPlayer() override;
    std::unique_ptr<ISlidePlayer> CreateSlidePlayer() override;
    ISaverFiles& Files() override { return *files_; }
    uint32_t TickCount() override { return loop_.Clock().TickCount(); }
    void GetCursorPos(int32_t& x, int32_t& y) override;
    void SetCursorPos(int32_t x, int32_t y) override;
    void PostClose() override { loop_.Post(SaverMsg::kClose); }
    void RefreshCursor() override;
    bool VerifyPassword() override;
    void Destroy() override;
    void ShowTaskbar(bool show) override { taskbarVisible_ = show; }
    void PostQuit(int code) override { loop_.Quit(code); }

private:
    void Dispatch(uint32_t message, uint32_t wParam);

    EventLoop& loop_;
    UserSettings& settings_;
    SaverFiles realFiles_;
    ISaverFiles* files_;
    std::function<std::unique_ptr<ISlidePlayer>()> createSlidePlayer_;
    std::function<std::unique_ptr<IVideoPlayer>()> createVideoPlayer_;
    std::unique_ptr<SaverSession> session_;
    int32_t cursorX_ = 0;
    int32_t cursorY_ = 0;
    bool taskbarVisible_ = true;
    bool cursorShown_ = true;
    bool destroyed_ = false;
    int passwordChecks_ = 0;
    int topmost_ = 0;
    std::vector<std::string> messages_;
    std::vector<uint32_t> keysPassedOn_;
};
