// One Windows image list that draws the icons of owner-drawn menu entries; in this program it
// holds the shell's system image list, which belongs to the shell and is never destroyed here.
#pragma once

#include "framework/MinApp.h"

#include <commctrl.h>

#include <cstdint>
#include <initializer_list>
#include <string>

enum TMinDrawOption : std::uint8_t { dsFocus, dsSelected, dsMask, dsTransparent };

// A set of drawing options, one bit each.
class TMinDrawStyle {
  public:
    constexpr TMinDrawStyle() = default;
    constexpr TMinDrawStyle(std::initializer_list<TMinDrawOption> options) {
        for (TMinDrawOption option : options) {
            bits_ |= Bit(option);
        }
    }
    constexpr bool Contains(TMinDrawOption option) const { return (bits_ & Bit(option)) != 0; }

  private:
    static constexpr std::uint8_t Bit(TMinDrawOption option) {
        return static_cast<std::uint8_t>(1u << option);
    }
    std::uint8_t bits_ = 0;
};

// The ILD_ style that ImageList_Draw gets for a set of options.
UINT ImageListDrawFlags(TMinDrawStyle style);

class TMinImageList : public TMinObject {
  public:
    ~TMinImageList() override;

    TMinDrawStyle DrawStyle;
    HIMAGELIST Handle = nullptr;
    int Height = 0;
    int Width = 0;
    bool Shared = false; // set once a system list is attached, never reset

    // The parameter is not called `small`: the RPC headers that ole2.h pulls in define that
    // word as a macro.
    bool LoadSystemImageList(bool smallIcons);
    // -1 without an attached system list; 0 when the shell cannot tell the file's icon.
    std::int32_t IconIndexOf(const std::string& fileName);
    void Draw(std::int32_t index, HDC dc, int x, int y);
    void SetHandle(HIMAGELIST handle);
};

// Initialises OLE on this thread once for the framework; a failure is tried again next time.
bool EnsureOleInitialized();
