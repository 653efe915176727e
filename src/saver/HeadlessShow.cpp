#include "saver/HeadlessShow.h"

#include "model/UserSettings.h"
#include "saver/SaverMessages.h"

HeadlessShow::HeadlessShow(EventLoop& loop, UserSettings& settings, SequencerOptions options, HeadlessShowParts parts)
    : loop_(loop),
      settings_(settings),
      files_(parts.files ? parts.files : &realFiles_),
      createSlidePlayer_(std::move(parts.createSlidePlayer)),
      createVideoPlayer_(std::move(parts.createVideoPlayer))
{
    SequencerParts sequencerParts;
    sequencerParts.media = parts.media;
    sequencerParts.sounds = parts.sounds;
    if (parts.createSoundPlayer) {
        sequencerParts.musicPlayer = parts.createSoundPlayer(ShowMsg::kMusicEnded);
        sequencerParts.boundSoundPlayer = parts.createSoundPlayer(ShowMsg::kBoundSoundEnded);
    }
    session_ = std::make_unique<SaverSession>(*this, settings, std::move(options), std::move(sequencerParts));
    loop_.onMessage = [this](uint32_t message, uint32_t wParam) { Dispatch(message, wParam); };
    loop_.onTimer = [this](uint32_t id) {
        if (!destroyed_)
            session_->OnTimer(id);
    };
}

HeadlessShow::~HeadlessShow()
{
    loop_.onMessage = nullptr;
    loop_.onTimer = nullptr;
    if (!destroyed_)
        Destroy();
}

void HeadlessShow::Start()
{
    settings_.windowHandle = this;
    session_->OnCreate();
    session_->OnInit();
}

void HeadlessShow::Dispatch(uint32_t message, uint32_t wParam)
{
    if (destroyed_)
        return;
    bool showMenu = false;
    const bool answered = session_->OnMessage(message, wParam, &showMenu);
    // Default processing of a close outside Saver ends the dialog.
    if (message == SaverMsg::kClose && !answered)
        Destroy();
}

std::unique_ptr<IVideoPlayer> HeadlessShow::CreateVideoPlayer()
{
    return createVideoPlayer_ ? createVideoPlayer_() : nullptr;
}

std::unique_ptr<ISlidePlayer> HeadlessShow::CreateSlidePlayer()
{
    return createSlidePlayer_ ? createSlidePlayer_() : nullptr;
}

void HeadlessShow::KeyDown(uint32_t virtualKey)
{
    if (destroyed_)
        return;
    if (session_->OnKeyDown(virtualKey))
        return;
    keysPassedOn_.push_back(virtualKey);
    // The dialog's Return (OK) and Escape (Cancel) end it.
    if (virtualKey == SaverKey::kReturn || virtualKey == SaverKey::kEscape)
        Destroy();
}

void HeadlessShow::MoveCursor(int32_t x, int32_t y)
{
    cursorX_ = x;
    cursorY_ = y;
    loop_.Post(SaverMsg::kMouseMove);
}

void HeadlessShow::Mouse(uint32_t message)
{
    loop_.Post(message);
}

void HeadlessShow::GetCursorPos(int32_t& x, int32_t& y)
{
    x = cursorX_;
    y = cursorY_;
}

void HeadlessShow::SetCursorPos(int32_t x, int32_t y)
{
    cursorX_ = x;
    cursorY_ = y;
}

void HeadlessShow::RefreshCursor()
{
    cursorShown_ = session_->CursorVisible();
}

bool HeadlessShow::VerifyPassword()
{
    ++passwordChecks_;
    if (cursorAfterPassword) {
        cursorX_ = cursorAfterPassword->first;
        cursorY_ = cursorAfterPassword->second;
    }
    return passwordAnswer.value_or(true);
}

void HeadlessShow::Destroy()
{
    if (destroyed_)
        return;
    session_->BeforeDestroy();
    destroyed_ = true;
    session_->OnDestroy();
    settings_.windowHandle = nullptr;
    loop_.Clear();
    loop_.Quit(0);
}
