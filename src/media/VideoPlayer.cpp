#include "media/VideoPlayer.h"

#include "media/VideoGeometry.h"
#include "model/MediaPlaylist.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "slides/SlideBackground.h"
#include "slides/SlidePlayer.h"
#include "transitions/ShowMessages.h"

VideoPlayer::VideoPlayer(std::unique_ptr<IVideoWindow> window, IMciCommands& mci, const VideoPlayerSetup& setup)
    : window_(std::move(window)), setup_(setup), player_(mci)
{
    window_->onTimer = [this](uint32_t id) { OnTimer(id); };
}

VideoPlayer::~VideoPlayer()
{
    if (startPending_) {
        window_->KillTimer(kStartTimer);
        startPending_ = false;
    }
    StopVideo(send_);
    CloseVideo(send_);
    window_->onTimer = nullptr;
}

void VideoPlayer::OnInitDialog()
{
    const Size size = window_->ClientSize();
    background_.CreateBlank(size.cx, size.cy, 0);
    window_->SetTimer(kStartTimer, kStartMs);
    startPending_ = true;
}

int32_t VideoPlayer::DisplayMode() const
{
    return mediaSetting_ ? mediaSetting_->Record().VideoMode() : 0;
}

bool VideoPlayer::PaintsBackground() const
{
    return DisplayMode() != 5 && !playing_;
}

bool VideoPlayer::CursorVisible() const
{
    return setup_.startMode != StartMode::Saver || (setup_.settings && setup_.settings->passwordDialogActive);
}

void VideoPlayer::DrawBackground()
{
    if (!background_.IsLoaded())
        return;
    SlideBackground painter;
    painter.SetTarget(&background_);
    painter.SetMediaTable(media_);
    painter.SetDatabase(setup_.database);
    painter.Bind(mediaSetting_, setup_.project, setup_.settings);
    painter.PaintBackground();
}

void VideoPlayer::OnTimer(uint32_t id)
{
    if (id == kStartTimer) {
        window_->KillTimer(kStartTimer);
        // Only the first tick starts the video; a tick already queued when the timer went must not restart it.
        if (!startPending_)
            return;
        startPending_ = false;
        StartVideo(mediaSetting_ && mediaSetting_->GetRecordCount() == 1);
        return;
    }
    if (id != kEndTimer || !polling_)
        return;
    ++checksSinceStart_;
    if (!Ended())
        return;
    if (loop_) {
        LogLoop(checksSinceStart_ == 1);
        checksSinceStart_ = 0;
        DrawBackground();
        if (DisplayMode() != 5) {
            window_->CopyBackground();
            window_->ShowPanel(false);
            window_->ShowPanel(true);
        }
        player_.Play();
    } else {
        window_->KillTimer(kEndTimer);
        polling_ = false;
        LogMovieShowsNext(DiagnosticLog::Instance());
        window_->PostToParent(ShowMsg::kItemFinished);
    }
}

void VideoPlayer::LogLoop(bool endedAtOnce)
{
    const uint32_t now = window_->TickCount();
    if (endedAtOnce && loopLogged_ && now - loopLoggedAt_ < kLoopLogMs)
        return;
    loopLogged_ = true;
    loopLoggedAt_ = now;
    LogMovieLoops(DiagnosticLog::Instance());
}

bool VideoPlayer::Ended()
{
    const int64_t position = player_.GetPosition();
    const int64_t length = player_.GetLength();
    if (length < 20 ? position >= length : position >= length - 20)
        return true;
    // A device may stop at the start of its last frame, more than 20 ms short of the length: it has
    // ended when it plays no more.
    return player_.GetMode() != Mci::kModePlay;
}

void VideoPlayer::StartVideo(bool loop)
{
    loop_ = loop;
    if (path_.empty())
        return;
    player_.Open(path_, nullptr);
    const MciRect video = player_.GetDestination();
    const Size size = window_->ClientSize();
    const bool random = setup_.project && setup_.project->Options().RandomPosition();
    panelRect_ = VideoPanelRect(video.left, video.top, video.right, video.bottom, size.cx, size.cy, DisplayMode(),
                                random, window_->TickCount());
    panel_ = window_->CreatePanel(panelRect_);
    player_.SetVideoWindow(panel_);
    player_.SetDestination(0, 0, panelRect_.Width(), panelRect_.Height());
    player_.Play();
    player_.SetDestination(0, 0, panelRect_.Width(), panelRect_.Height());
    playing_ = true;
    checksSinceStart_ = 0;
    window_->SetTimer(kEndTimer, kEndMs);
    polling_ = true;
}

void VideoPlayer::StopVideo(int send)
{
    send_ = send != 0;
    playing_ = false;
    player_.Stop(send_);
    if (polling_) {
        window_->KillTimer(kEndTimer);
        polling_ = false;
    }
}

void VideoPlayer::CloseVideo(int send)
{
    send_ = send != 0;
    player_.Stop(send_);
    player_.Close(send_);
    if (polling_) {
        window_->KillTimer(kEndTimer);
        polling_ = false;
    }
}
