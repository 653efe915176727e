#include "media/MciCommands.h"

#include <windows.h>
#include <digitalv.h>
#include <mmsystem.h>

namespace {

// The commands through mciSendCommandA of the multimedia library.
class WinMciCommands final : public IMciCommands {
public:
    uint32_t Open(const char* element, uint32_t& device) override
    {
        MCI_OPEN_PARMSA parms{};
        parms.lpstrElementName = element;
        const MCIERROR error = Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &parms);
        if (error == 0) {
            device = parms.wDeviceID;
            // Positions and lengths in milliseconds, as FFmpeg's devices give them: a video device counts
            // frames by default, and the players' end test, which allows 20 units, would end a clip of 20
            // frames a second a second early.
            MCI_SET_PARMS set{};
            set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
            Send(device, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
        }
        return error;
    }
    uint32_t Close(uint32_t device, WindowRef callback) override
    {
        MCI_GENERIC_PARMS parms{};
        parms.dwCallback = DWORD_PTR(callback);
        return Send(device, MCI_CLOSE, MCI_WAIT, &parms);
    }
    uint32_t Play(uint32_t device, WindowRef callback) override
    {
        MCI_PLAY_PARMS parms{};
        parms.dwCallback = DWORD_PTR(callback);
        return Send(device, MCI_PLAY, MCI_NOTIFY, &parms);
    }
    uint32_t SeekToStart(uint32_t device) override
    {
        MCI_SEEK_PARMS parms{};
        return Send(device, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &parms);
    }
    uint32_t Stop(uint32_t device) override
    {
        MCI_GENERIC_PARMS parms{};
        return Send(device, MCI_STOP, MCI_WAIT, &parms);
    }
    uint32_t Pause(uint32_t device) override
    {
        MCI_GENERIC_PARMS parms{};
        return Send(device, MCI_PAUSE, MCI_WAIT, &parms);
    }
    uint32_t Resume(uint32_t device) override
    {
        MCI_GENERIC_PARMS parms{};
        return Send(device, MCI_RESUME, MCI_NOTIFY, &parms);
    }
    uint32_t Status(uint32_t device, uint32_t item, uint32_t& value) override
    {
        MCI_STATUS_PARMS parms{};
        parms.dwItem = item;
        const MCIERROR error = Send(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms);
        value = error == 0 ? uint32_t(parms.dwReturn) : 0;
        return error;
    }
    uint32_t GetDevCaps(uint32_t device, uint32_t item, uint32_t& value) override
    {
        MCI_GETDEVCAPS_PARMS parms{};
        parms.dwItem = item;
        const MCIERROR error = Send(device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &parms);
        value = error == 0 ? uint32_t(parms.dwReturn) : 0;
        return error;
    }
    uint32_t Where(uint32_t device, bool source, MciRect& rect) override
    {
        MCI_DGV_RECT_PARMS parms{};
        const MCIERROR error =
            Send(device, MCI_WHERE, source ? MCI_DGV_WHERE_SOURCE : MCI_DGV_WHERE_DESTINATION, &parms);
        if (error == 0)
            rect = MciRect{parms.rc.left, parms.rc.top, parms.rc.right, parms.rc.bottom};
        return error;
    }
    uint32_t SetWindow(uint32_t device, WindowRef window) override
    {
        MCI_DGV_WINDOW_PARMSA parms{};
        parms.hWnd = static_cast<HWND>(window);
        return Send(device, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &parms);
    }
    uint32_t PutDestination(uint32_t device, const MciRect& rect) override
    {
        MCI_DGV_RECT_PARMS parms{};
        parms.rc = RECT{rect.left, rect.top, rect.right, rect.bottom};
        return Send(device, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT, &parms);
    }
    MciRect WindowRect(WindowRef window) override
    {
        RECT r{};
        GetWindowRect(static_cast<HWND>(window), &r);
        return MciRect{r.left, r.top, r.right, r.bottom};
    }

private:
    static MCIERROR Send(uint32_t device, UINT message, DWORD flags, void* parms)
    {
        return mciSendCommandA(MCIDEVICEID(device), message, flags, DWORD_PTR(parms));
    }
};

} // namespace

IMciCommands& SystemMci()
{
    static WinMciCommands mci;
    return mci;
}
