#include "slides/SlidePlayerList.h"

#include <stdexcept>

SlidePlayerList::SlidePlayerList(HostFactory factory, ProjectDatabase* db) : factory_(std::move(factory)), db_(db)
{
}

SlidePlayerList::~SlidePlayerList()
{
    for (int i = 0; i < Count(); ++i)
        DestroyPlayer(i);
}

SlidePlayerList::Entry& SlidePlayerList::At(int index)
{
    if (index < 0 || index >= Count())
        throw std::invalid_argument("image player index outside the player list");
    return entries_[static_cast<size_t>(index)];
}

int SlidePlayerList::CreatePlayer(void* parent)
{
    Entry entry;
    entry.host = factory_(parent);
    // A window the system refuses leaves an empty entry, as a destroyed one: the owner's calls on it do
    // nothing rather than fail inside its message handling.
    if (entry.host) {
        entry.player = std::make_unique<SlidePlayer>(*entry.host);
        entry.player->SetDatabase(db_);
        entry.player->OnInitDialog();
    }
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

void SlidePlayerList::DestroyPlayer(int index)
{
    Entry& entry = At(index);
    if (!entry.player)
        return;
    entry.player->OnDestroy();
    entry.player.reset();
    entry.host.reset();
}

SlidePlayer* SlidePlayerList::Player(int index)
{
    return At(index).player.get();
}

ISlideWindowHost* SlidePlayerList::Host(int index)
{
    return At(index).host.get();
}

void SlidePlayerList::SetPlayerSettings(int index, UserSettings* settings, ProjectInfo* project)
{
    if (SlidePlayer* p = Player(index))
        p->SetSettings(settings, project);
}

void SlidePlayerList::ShowSlide(int index, MediaPlaylist* mediaSetting)
{
    if (SlidePlayer* p = Player(index))
        p->ShowSlide(mediaSetting);
}

void SlidePlayerList::StopTransition(int index)
{
    if (SlidePlayer* p = Player(index))
        p->StopTransition();
}

void SlidePlayerList::HidePlayer(int index, int hide)
{
    if (SlidePlayer* p = Player(index))
        p->Hide(hide);
}

void SlidePlayerList::SetPlayerMode(int index, int startMode)
{
    if (SlidePlayer* p = Player(index))
        p->SetMode(startMode);
}

void SlidePlayerList::SetPlayerMedia(int index, MediaTable* media)
{
    if (SlidePlayer* p = Player(index))
        p->SetMedia(media);
}
