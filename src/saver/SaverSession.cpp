#include "saver/SaverSession.h"

#include "model/UserSettings.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "saver/SaverMessages.h"

SaverSession::SaverSession(ISaverWindowHost& host, UserSettings& settings, SequencerOptions options,
                           SequencerParts parts)
    : host_(host),
      settings_(settings),
      mode_(options.mode),
      close_(host, settings, options.mode),
      sequencer_(host, std::move(options), std::move(parts))
{
}

void SaverSession::OnCreate()
{
    close_.OnCreate();
}

bool SaverSession::TimeLimited() const
{
    return settings_.timeLimit && settings_.timeLimitMinutes > 0;
}

void SaverSession::OnInit()
{
    sequencer_.StartMusic(true);
    sequencer_.PresentCurrentItem();
    close_.OnShown();
    if (mode_ == StartMode::Preview)
        return;
    host_.ShowTaskbar(false);
    if (TimeLimited()) {
        const uint32_t minutes = uint32_t(settings_.timeLimitMinutes);
        LogTimeLimitation(DiagnosticLog::Instance(), minutes);
        // Limits longer than one timer period run as several periods.
        timeLimitLeftMs_ = uint64_t(minutes) * 60000u;
        StartTimeLimitPeriod();
    }
}

void SaverSession::StartTimeLimitPeriod()
{
    const uint32_t period = SaverTimer::PeriodOf(timeLimitLeftMs_);
    timeLimitLeftMs_ -= period;
    host_.SetTimer(SaverTimer::kTimeLimit, period);
}

bool SaverSession::OnTimer(uint32_t id)
{
    close_.NoteTime();
    if (id == SaverTimer::kTimeLimit) {
        if (timeLimitLeftMs_ > 0)
            StartTimeLimitPeriod();
        else
            host_.PostQuit(0);
        return true;
    }
    return sequencer_.OnTimer(id);
}

bool SaverSession::OnMessage(uint32_t message, uint32_t wParam, bool* showMenu)
{
    if (showMenu)
        *showMenu = false;
    close_.NoteTime();
    if (sequencer_.OnMessage(message))
        return false; // the player messages go on to default processing as well
    switch (message) {
    case SaverMsg::kClose: return close_.OnClose();
    case SaverMsg::kChar: close_.OnChar(wParam); return false;
    case SaverMsg::kHelp: close_.OnHelp(wParam & 0xffff); return true;
    default: break;
    }
    if (message >= SaverMsg::kMouseMove && message <= SaverMsg::kMButtonUp) {
        const bool menu = close_.OnMouse(message);
        if (showMenu)
            *showMenu = menu;
    }
    return false;
}

void SaverSession::BeforeDestroy()
{
    if (mode_ != StartMode::Preview && TimeLimited())
        host_.KillTimer(SaverTimer::kTimeLimit);
}

void SaverSession::OnDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    host_.ShowTaskbar(true);
    sequencer_.Shutdown();
}
