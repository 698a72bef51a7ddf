// The application object with its hidden window and message loop, the base of every framework
// object, the event type all framework classes share, and the framework's global state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

class TMinTrayIcon;

// Root of the object model; every sender of an event is one.
class TObject {
  public:
    virtual ~TObject() = default;
};

// An event: a handler plus the object it belongs to; can be empty.
template <class Signature> class TMinEvent;

template <class R, class... Args> class TMinEvent<R(Args...)> {
  public:
    TMinEvent() = default;

    // TMinNotifyEvent::Bind<&TApp::ItemClick>(app)
    template <auto Method, class T> static TMinEvent Bind(T* object) {
        TMinEvent event;
        event.object_ = object;
        event.thunk_ = [](void* target, Args... args) -> R {
            return (static_cast<T*>(target)->*Method)(args...);
        };
        return event;
    }

    bool Assigned() const { return thunk_ != nullptr; }
    explicit operator bool() const { return Assigned(); }

    // Raising an empty event does nothing and yields the result type's zero.
    R operator()(Args... args) const {
        if (thunk_ == nullptr) {
            return R();
        }
        return thunk_(object_, args...);
    }

  private:
    void* object_ = nullptr;
    R (*thunk_)(void*, Args...) = nullptr;
};

using TMinNotifyEvent = TMinEvent<void(TObject* sender)>;
using TMinMouseEvent = TMinEvent<bool(TObject* sender, std::uint16_t message)>;
using TMinMessageEvent = TMinEvent<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Base of the framework objects that the application object owns: menus, image lists, tray
// icons, timers. Registers with MinApplication on construction, leaves it on destruction.
class TMinObject : public TObject {
  public:
    TMinObject();
    ~TMinObject() override;
    TMinObject(const TMinObject&) = delete;
    TMinObject& operator=(const TMinObject&) = delete;
};

class TMinApplication : public TObject {
  public:
    // A program derives its own class and inherits this constructor.
    explicit TMinApplication(std::string title);
    // Frees every framework object still registered, in registration order.
    ~TMinApplication() override;
    TMinApplication(const TMinApplication&) = delete;
    TMinApplication& operator=(const TMinApplication&) = delete;

    // Runs the message loop until the quit message; returns at once without a window. An
    // exception that a callback raised ends the loop and is rethrown here.
    void Run();
    // Asks the loop to end after the messages already queued.
    void Terminate();

    TMinMessageEvent OnMessage;
    std::string Title;
    HWND Handle = nullptr;
    std::vector<TMinObject*> Objects;
    bool Destroying = false;

  private:
    friend void EndLoopWithError(std::exception_ptr error) noexcept;
    std::exception_ptr loopError_;
};

extern TMinApplication* MinApplication;
// True from the start of a popup menu's modal loop until its end-of-menu message is handled.
extern bool InMenuLoop;
extern UINT TaskbarCreatedMessage;
extern std::vector<TMinTrayIcon*> TrayIcons;
extern std::int32_t OleInitCount;

constexpr UINT WM_MINTRAYICON = 0xB008;
constexpr WPARAM MINMENU_DONE = 111;

LRESULT CALLBACK MinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// For the system's callbacks (window procedure, timer callback), which no exception may cross:
// keeps the first error for TMinApplication::Run to rethrow and ends the message loop.
void EndLoopWithError(std::exception_ptr error) noexcept;
