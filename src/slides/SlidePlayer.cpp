#include "slides/SlidePlayer.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "gfx/AlphaStretch.h"
#include "model/MediaPlaylist.h"
#include "model/PanZoomSetting.h"
#include "model/ProjectInfo.h"
#include "model/Random.h"
#include "model/UserSettings.h"
#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "slides/SlideBackground.h"
#include "slides/SlideGeometry.h"
#include "slides/SlideImage.h"
#include "transitions/ShowMessages.h"

SlidePlayer::SlidePlayer(ISlideWindowHost& host) : host_(host)
{
    host_.AttachPlayer(this);
}

std::unique_ptr<SlidePlayer> SlidePlayer::Create(std::unique_ptr<ISlideWindowHost> window, ProjectDatabase* db)
{
    // A window the system refuses leaves the owner without a player: its calls then do nothing rather than
    // fail inside a window that is not there.
    if (!window)
        return nullptr;
    ISlideWindowHost& host = *window;
    auto player = std::make_unique<SlidePlayer>(host);
    player->ownedHost_ = std::move(window);
    player->SetDatabase(db);
    player->OnInitDialog();
    return player;
}

SlidePlayer::~SlidePlayer()
{
    StopMotion();
    StopTransition();
    JoinWorker();
    host_.AttachPlayer(nullptr);
}

void SlidePlayer::OnInitDialog()
{
    const Size size = host_.ParentSize();
    background_.CreateBlank(size.cx, size.cy, 0);
    canvas_.CreateBlank(size.cx, size.cy, 0);
    finished_ = 1;
}

void SlidePlayer::SetSettings(UserSettings* settings, ProjectInfo* project)
{
    settings_ = settings;
    project_ = project;
}

bool SlidePlayer::HidesCursor() const
{
    return startMode_ == StartMode::Saver && !(settings_ && settings_->passwordDialogActive);
}

void SlidePlayer::OnTransitionDone(uint32_t serial)
{
    // A transition that ended just as it was stopped has its done message still queued: a stopped slide
    // tells the owner nothing, and neither does its message once the next slide's transition runs.
    if (finished_ || serial != serial_)
        return;
    finished_ = 1;
    StartMotion();
    if (!announceDone_)
        return;
    host_.WindowClock().Sleep(30);
    host_.PostToParent(ShowMsg::kItemFinished);
}

void SlidePlayer::OnDestroy()
{
    StopTransition();
}

void SlidePlayer::StopTransition()
{
    StopMotion();
    if (finished_)
        return;
    stop_ = 1;
    completion_.Wait();
    finished_ = 1;
    host_.WindowClock().Sleep(100);
}

void SlidePlayer::WaitForTransition()
{
    if (!worker_.joinable())
        return;
    worker_.join();
}

void SlidePlayer::JoinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

void SlidePlayer::PlanMotion(Picture& image, const Rect& onWindow, Size source, bool opaque, uint32_t displayMs)
{
    const PanZoomSetting setting = mediaSetting_ ? ReadPanZoom(mediaSetting_->Record()) : PanZoomSetting{};
    // A relayout keeps the path (and the start) the item had; otherwise the motion is the item's own.
    const bool keep = relayout_ && motion_.Prepared();
    if (!keep)
        motion_.Clear();
    // Pictures with transparent parts, and slides without a picture, stay still.
    if (!setting.enabled || !opaque || !image.IsLoaded() || onWindow.IsEmpty() || source.cx < 1 || source.cy < 1) {
        motion_.Clear();
        return;
    }
    // Only a moving picture draws from the show's random numbers: every other pick stays as it always was.
    const PanZoomPath path = keep ? motion_.Path() : PanZoomPath::For(setting, mediaSetting_->Random());
    TextOverlay texts;
    if (project_ && project_->Options().SlideBackgroundMode() == 1 && startMode_ != StartMode::Preview) {
        // The texts are part of a whole-window slide; they stay where they are over the moving picture.
        texts.Capture(Size{canvas_.Width(), canvas_.Height()}, onWindow, [&](Picture& target) {
            SlideBackground painter;
            PreparePainter(painter, target);
            painter.DrawTitle();
            painter.DrawDescription();
        });
    }
    motion_.Prepare(std::move(image), source, onWindow, path, displayMs, std::move(texts));
}

void SlidePlayer::StartMotion()
{
    if (!motion_.Prepared())
        return;
    motion_.Start(host_.WindowClock().TickCount());
    if (host_.DrivesMotion() || motionThread_.joinable())
        return;
    motionStop_ = 0;
    motionWake_.Reset();
    motionThread_ = std::thread([this] { RunMotion(); });
}

void SlidePlayer::RunMotion()
{
    // About 30 frames a second: smooth for a motion this slow, and the frame of each moment is computed from
    // the clock, so a late frame catches up rather than slowing the motion.
    constexpr auto kFrame = std::chrono::milliseconds(33);
    IClock& clock = host_.WindowClock();
    auto next = std::chrono::steady_clock::now();
    while (!motionStop_.load()) {
        const Rect changed = motion_.DrawAt(clock.TickCount(), canvas_);
        if (!changed.IsEmpty())
            host_.Present(canvas_, changed.left, changed.top, changed.Width(), changed.Height());
        if (motion_.AtEnd())
            return;
        next += kFrame;
        const auto now = std::chrono::steady_clock::now();
        if (next < now)
            next = now;
        motionWake_.WaitFor(std::chrono::duration_cast<std::chrono::milliseconds>(next - now));
    }
}

void SlidePlayer::StopMotion()
{
    if (motionThread_.joinable()) {
        motionStop_ = 1;
        motionWake_.Set();
        motionThread_.join();
        motionStop_ = 0;
    } else if (host_.DrivesMotion()) {
        // The frame of the moment the item is left: the next transition starts from it.
        DrawMotionAt(host_.WindowClock().TickCount());
    }
}

void SlidePlayer::DrawMotionAt(uint32_t tick)
{
    if (!finished_)
        return;
    const Rect changed = motion_.DrawAt(tick, canvas_);
    if (!changed.IsEmpty())
        host_.Present(canvas_, changed.left, changed.top, changed.Width(), changed.Height());
}

void SlidePlayer::Hide(int hide)
{
    if (hide)
        host_.ShowWindow(false);
}

void SlidePlayer::PreparePainter(SlideBackground& painter, Picture& target)
{
    painter.SetTarget(&target);
    painter.SetMediaTable(mediaTable_);
    painter.SetDatabase(db_);
    painter.SetLogPixelsY(host_.LogPixelsY());
    painter.Bind(mediaSetting_, project_, settings_);
}

void SlidePlayer::PrepareSlide(const std::string& fileName, bool colourKey, int zoomPercent)
{
    const ProjectOptions options = project_ ? project_->Options() : ProjectOptions{};
    const std::string exePath = project_ ? project_->GetExecutablePath() : std::string();
    // Found (a stored picture read) here, on the window's thread, which the database belongs to.
    prefetch_.Start(FindSlideImage(options, mediaTable_, fileName, exePath), {fileName, colourKey, zoomPercent},
                    host_.WindowSize(), options.ScaleMode());
}

void SlidePlayer::ShowSlide(MediaPlaylist* mediaSetting)
{
    // Two workers must never share the request and the canvas.
    StopTransition();
    // Pictures are decoded one at a time: the background may need one too.
    prefetch_.Wait();
    mediaSetting_ = mediaSetting;
    announceDone_ = true;
    PaintWindowBackground();
    ComposeSlide();
    host_.ShowWindow(true);
}

void SlidePlayer::PaintWindowBackground()
{
    if (project_ && project_->Options().SlideBackgroundMode() == 0) {
        SlideBackground painter;
        PreparePainter(painter, background_);
        painter.PaintAll(startMode_);
        canvas_.BitBlt(0, 0, canvas_.Width(), canvas_.Height(), background_, 0, 0);
    }
}

void SlidePlayer::Relayout()
{
    const Size size = host_.WindowSize();
    if (size.cx < 1 || size.cy < 1 || (size.cx == canvas_.Width() && size.cy == canvas_.Height()))
        return;
    // A transition cut short here still tells the owner that its item is shown; a slide that was shown
    // already does not tell it twice.
    const bool announce = !finished_;
    StopTransition();
    background_.CreateBlank(size.cx, size.cy, 0);
    canvas_.CreateBlank(size.cx, size.cy, 0);
    if (!mediaSetting_)
        return;
    announceDone_ = announce;
    PaintWindowBackground();
    relayout_ = true;
    ComposeSlide();
    relayout_ = false;
}

void SlidePlayer::ComposeSlide()
{
    const Size frame = host_.WindowSize();
    const ProjectOptions options = project_ ? project_->Options() : ProjectOptions{};
    const std::string exePath = project_ ? project_->GetExecutablePath() : std::string();
    IRandom& random = mediaSetting_ ? mediaSetting_->Random() : StandardRandom();

    const bool transparent = mediaSetting_ && mediaSetting_->Record().ColourKey();
    // A picture that zooms in while it is shown keeps the detail its end zoom shows.
    const PanZoomSetting panZoom = mediaSetting_ ? ReadPanZoom(mediaSetting_->Record()) : PanZoomSetting{};
    const int zoom = panZoom.enabled ? panZoom.zoomPercent : 100;
    SlidePrefetch::Prepared prepared;
    Picture& image = prepared.image;
    int& imageW = prepared.fullWidth;
    int& imageH = prepared.fullHeight;
    // The picture prepared while the slide before was shown, or loaded now. A large JPEG may arrive
    // reduced; every rule below goes by its full size.
    preparedBeforehand_ = mediaSetting_ &&
        prefetch_.Take({mediaSetting_->GetFileName(), transparent, zoom}, frame, options.ScaleMode(), prepared);
    if (mediaSetting_ && !preparedBeforehand_) {
        LoadSlideImageFor(
            image, options, mediaTable_, mediaSetting_->GetFileName(), exePath,
            [&](int w, int h) { return ZoomedSlideUse(options.ScaleMode(), w, h, frame, zoom); }, imageW, imageH);
    }
    if (!image.IsLoaded())
        imageW = imageH = -1;

    const SlideScale scale = ScaleSlide(options.ScaleMode(), imageW, imageH, frame.cx, frame.cy);
    Picture& scaled = prepared.scaled;
    if (scaled.Width() != scale.destW || scaled.Height() != scale.destH)
        scaled.Free();
    if (options.ScaleMode() == 1) {
        LogSlideScale(DiagnosticLog::Instance(), scale.destW, scale.destH, imageW, imageH, frame.cx, frame.cy);
    }
    int x = CentredOffset(frame.cx, scale.destW);
    int y = CentredOffset(frame.cy, scale.destH);
    if (options.RandomPosition()) {
        x = RandomOffset(frame.cx, scale.destW, random.Next());
        y = RandomOffset(frame.cy, scale.destH, random.Next());
    }

    // The source rectangle in the picture as loaded (smaller than its full size when reduced).
    Size source{scale.srcW, scale.srcH};
    if (image.IsLoaded())
        LoadedSource(image, imageW, imageH, source.cx, source.cy);
    else
        source = Size{0, 0};
    auto putImage = [&](Picture& target, int left, int top) {
        if (!image.IsLoaded())
            return;
        if (transparent && scaled.IsLoaded())
            scaled.DrawTransparent(target, left, top);
        else if (transparent)
            image.StretchDrawTransparent(target, left, top, scale.destW, scale.destH);
        else if (scaled.IsLoaded())
            target.BitBlt(left, top, scale.destW, scale.destH, scaled, 0, 0);
        else
            StretchOver(target, left, top, scale.destW, scale.destH, image, source.cx, source.cy);
    };
    const Rect imageOnWindow = Rect::FromSize(x, y, scale.destW, scale.destH);

    if (options.SlideBackgroundMode() == 1) {
        // The slide is the whole window; the screen as it is becomes the transition's background.
        Picture composed;
        composed.CreateBlank(background_.Width(), background_.Height(), 0);
        background_.BitBlt(0, 0, canvas_.Width(), canvas_.Height(), canvas_, 0, 0);
        SlideBackground painter;
        PreparePainter(painter, composed);
        painter.PaintBackground();
        putImage(composed, x, y);
        if (startMode_ != StartMode::Preview) {
            painter.DrawTitle();
            painter.DrawDescription();
        }
        slide_ = std::move(composed);
        x = 0;
        y = 0;
    } else {
        // An image that did not load leaves the slide empty: the transition shows the background alone.
        slide_.Free();
        if (image.IsLoaded() && !transparent && scaled.IsLoaded()) {
            slide_ = std::move(scaled); // the picture scaled beforehand is the slide
        } else if (image.IsLoaded() && slide_.CreateBlank(scale.destW, scale.destH, 0)) {
            // What shows through a transparent picture is the background beneath it.
            if (transparent || image.HasAlpha())
                slide_.BitBlt(0, 0, scale.destW, scale.destH, background_, x, y);
            putImage(slide_, 0, 0);
        }
    }

    const int32_t displaySeconds = options.DisplayTime();
    // A show without a display time keeps each item until it is closed: the motion then spans half a minute.
    const uint32_t displayMs =
        displaySeconds > 0 ? static_cast<uint32_t>(std::min(displaySeconds, 86400)) * 1000u : 30000u;
    if (mediaSetting_)
        PlanMotion(image, imageOnWindow, source, !transparent && !image.HasAlpha(), displayMs);
    else
        motion_.Clear();

    request_ = TransitionRequest{};
    request_.window = &host_;
    request_.background = &background_;
    request_.slide = &slide_;
    request_.canvas = &canvas_;
    request_.effectIndex = -1;
    if (mediaSetting_ && !relayout_) {
        try {
            request_.effectIndex = mediaSetting_->NextEffect();
        } catch (const std::invalid_argument&) {
            request_.effectIndex = -1; // no current item: show the slide at once
        }
        request_.transitionEnabled = mediaSetting_->Record().Transition();
        request_.step = mediaSetting_->Record().TransitionSpeed();
    }
    request_.slideLeft = x;
    request_.slideTop = y;
    request_.stopFlag = &stop_;
    request_.completion = &completion_;
    request_.clock = host_.TransitionClock();
    // The background was painted into the canvas, or taken from it.
    request_.canvasShowsBackground =
        options.SlideBackgroundMode() == 1 || (project_ && options.SlideBackgroundMode() == 0);
    StartWorker();
}

void SlidePlayer::StartWorker()
{
    JoinWorker(); // the previous worker has ended or is about to: its completion was consumed
    completion_.Reset();
    stop_ = 0;
    finished_ = 0;
    request_.serial = ++serial_;
    worker_ = std::thread(TransitionThreadProc, &request_);
}
