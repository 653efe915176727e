#include "saver/CloseEvents.h"

#include "model/UserSettings.h"
#include "saver/SaverMessages.h"

#include <algorithm>
#include <cstdlib>

bool CloseEvents::Listening() const
{
    return mode_ == StartMode::Saver && !settings_.passwordDialogActive;
}

void CloseEvents::RequestClose()
{
    settings_.closeRequested = true;
    host_.PostClose();
}

void CloseEvents::ReadReferencePoint()
{
    host_.GetCursorPos(settings_.referencePoint.x, settings_.referencePoint.y);
}

void CloseEvents::OnCreate()
{
    settings_.startTime = host_.TickCount();
    gracePassed_ = false;
    shown_ = settled_ = false;
    if (mode_ == StartMode::Saver)
        host_.SetCursorPos(0, 0);
    ReadReferencePoint();
}

void CloseEvents::OnShown()
{
    shown_ = true;
    settled_ = false;
    shownAt_ = host_.TickCount();
}

bool CloseEvents::PointerSettling()
{
    if (!settled_ && shown_)
        settled_ = host_.TickCount() - shownAt_ >= kPointerSettleMs;
    return !settled_;
}

bool CloseEvents::GracePassed()
{
    if (!gracePassed_) {
        const uint32_t elapsed = host_.TickCount() - settings_.startTime;
        gracePassed_ = elapsed > uint32_t(settings_.gracePeriod) * 1000u;
    }
    return gracePassed_;
}

bool CloseEvents::OnKeyDown(uint32_t virtualKey)
{
    if (!Listening())
        return false;
    if (settings_.anyEvent) {
        RequestClose();
        return true;
    }
    // Return and Escape are always swallowed, so they never end the dialog in Saver.
    if (virtualKey == SaverKey::kReturn) {
        if (settings_.enterKey)
            RequestClose();
        return true;
    }
    if (virtualKey == SaverKey::kEscape) {
        if (settings_.escKey)
            RequestClose();
        return true;
    }
    if (settings_.specifiedKey && virtualKey == uint32_t(settings_.keyValue & 0xff)) {
        RequestClose();
        return true;
    }
    return false;
}

void CloseEvents::OnChar(uint32_t code)
{
    if (!Listening())
        return;
    if (settings_.anyEvent || (settings_.specifiedKey && code == uint32_t(settings_.keyValue & 0xff)))
        RequestClose();
}

void CloseEvents::OnHelp(uint32_t wParamLow)
{
    if (Listening() && wParamLow == 0 && settings_.anyEvent)
        RequestClose();
}

bool CloseEvents::OnMouse(uint32_t message)
{
    if (mode_ == StartMode::Program)
        return message == SaverMsg::kRButtonDown || message == SaverMsg::kRButtonUp;
    if (!Listening())
        return false;
    bool closes = false;
    switch (message) {
    case SaverMsg::kLButtonDown:
    case SaverMsg::kLButtonUp:
    case SaverMsg::kMButtonDown:
    case SaverMsg::kMButtonUp: closes = settings_.anyEvent || settings_.mouseLeftClick; break;
    case SaverMsg::kRButtonDown:
    case SaverMsg::kRButtonUp: closes = settings_.anyEvent || settings_.mouseRightClick; break;
    case SaverMsg::kLButtonDblClk:
    case SaverMsg::kRButtonDblClk: closes = settings_.anyEvent || settings_.mouseDoubleClick; break;
    case SaverMsg::kMouseMove: {
        if (PointerSettling()) {
            // Where the pointer is, not where it went: measured from here on.
            ReadReferencePoint();
            break;
        }
        int32_t x = 0;
        int32_t y = 0;
        host_.GetCursorPos(x, y);
        // 64-bit differences: far-apart coordinates must not overflow into "no movement".
        const int64_t dx = std::llabs(int64_t(x) - settings_.referencePoint.x);
        const int64_t dy = std::llabs(int64_t(y) - settings_.referencePoint.y);
        // A negative threshold from a damaged store would close on the system's own moves of zero pixels.
        const int64_t threshold = std::max<int64_t>(settings_.moveThreshold, 0);
        if (dx > threshold || dy > threshold)
            closes = settings_.anyEvent || settings_.mouseMove;
        break;
    }
    default: break;
    }
    if (closes)
        RequestClose();
    return false;
}

bool CloseEvents::OnClose()
{
    if (mode_ != StartMode::Saver)
        return false;
    if (settings_.closeRequested && !settings_.passwordDialogActive) {
        if (GracePassed())
            PasswordCheck();
        else
            host_.Destroy();
    }
    return true;
}

void CloseEvents::PasswordCheck()
{
    settings_.passwordDialogActive = true;
    host_.RefreshCursor();
    const bool ok = host_.VerifyPassword();
    settings_.passwordDialogActive = false;
    host_.RefreshCursor();
    ReadReferencePoint();
    if (ok)
        host_.Destroy();
}

bool CloseEvents::CursorVisible() const
{
    return !Listening();
}
