// Timers that raise OnTimer on the user-interface thread, bound to the hidden window. Ticks are
// dropped while a framework popup menu is open, so no handler changes a menu on screen.
#pragma once

#include "framework/MinApp.h"

#include <cstdint>

class TMinTimer : public TMinObject {
  public:
    TMinTimer(bool enabled, TMinNotifyEvent onTimer, std::uint32_t interval);
    // Stops the system timer first.
    ~TMinTimer() override;

    void SetEnabled(bool value);

    UINT_PTR TimerId = 0; // what SetTimer returned; 0 while stopped
    bool Enabled = false;
    std::uint32_t Interval = 0; // milliseconds
    TMinNotifyEvent OnTimer;

  private:
    friend void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    // The identifier of the system timer: a number of its own, so that a tick still queued
    // for a freed timer can never be taken for another timer at the same address.
    UINT_PTR eventId_;
};

// The one callback of all framework timers; a tick for a timer no longer registered does nothing.
void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR eventId, DWORD time);
