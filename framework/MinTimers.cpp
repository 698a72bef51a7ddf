#include "framework/MinTimers.h"

namespace {

UINT_PTR LastTimerEventId = 0;

} // namespace

TMinTimer::TMinTimer(bool enabled, TMinNotifyEvent onTimer, std::uint32_t interval)
    : Interval(interval), OnTimer(onTimer), eventId_(++LastTimerEventId) {
    SetEnabled(enabled);
}

TMinTimer::~TMinTimer() {
    SetEnabled(false);
}

void TMinTimer::SetEnabled(bool value) {
    if (MinApplication == nullptr || value == Enabled) {
        return;
    }
    Enabled = value;
    const HWND window = MinApplication->Handle;
    if (value) {
        // Without a window SetTimer would make a thread timer with an identifier of its own,
        // which KillTimer could not stop; that counts as a failed start.
        if (window != nullptr) {
            TimerId = SetTimer(window, eventId_, Interval, TimerProc);
        }
    } else if (TimerId != 0) {
        KillTimer(window, eventId_);
        TimerId = 0;
    }
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR eventId, DWORD) {
    try {
        if (InMenuLoop || MinApplication == nullptr || MinApplication->Destroying) {
            return;
        }
        // KillTimer does not take back a WM_TIMER already queued, so the identifier is
        // looked up among the live timers.
        for (TMinObject* object : MinApplication->Objects) {
            auto* timer = dynamic_cast<TMinTimer*>(object);
            if (timer != nullptr && timer->eventId_ == eventId) {
                if (timer->OnTimer) {
                    timer->OnTimer(timer);
                }
                return;
            }
        }
    } catch (...) {
        EndLoopWithError(std::current_exception());
    }
}
