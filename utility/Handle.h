// One move-only owner for every kind of Windows handle; each kind is a traits type with its
// "no handle" value and its release call. Code that only looks at a handle uses the raw type.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <utility>

template <class Traits> class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::None(); }

    Type release() { return std::exchange(handle_, Traits::None()); }
    void reset(Type handle = Traits::None()) {
        Type old = std::exchange(handle_, handle);
        if (old != Traits::None()) {
            Traits::Close(old);
        }
    }

  private:
    Type handle_ = Traits::None();
};

struct IconTraits {
    using Type = HICON;
    static Type None() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type None() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type None() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type None() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
// Kernel objects whose failure value is null (processes, threads, events).
struct KernelTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
// Files, whose failure value is INVALID_HANDLE_VALUE.
struct FileTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FindTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type None() { return nullptr; }
    static void Close(Type h) { FreeLibrary(h); }
};

using IconHandle = UniqueHandle<IconTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using GdiObjectHandle = UniqueHandle<GdiObjectTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using FileHandle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
