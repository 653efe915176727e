#include "saver/StandInPlayers.h"

#include "saver/SaverMessages.h"

void CTimedVideoPlayer::Show()
{
    // An empty path plays nothing and never ends.
    if (!path_.empty() && !pending_)
        pending_ = post_.PostAfter(movieMs_, SaverMsg::ItemFinished);
}

void CTimedVideoPlayer::CloseVideo(int)
{
    if (pending_) {
        post_.Cancel(pending_);
        pending_ = 0;
    }
}
