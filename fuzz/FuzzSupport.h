// What every fuzz target shares: taking options out of the input and stopping on a broken
// property, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads a fuzz input front to back: a few leading bytes choose options, the rest is the text.
// A used-up input reads as zero bytes and empty texts, so every input is a valid one.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size);

    std::uint8_t TakeByte();
    // A length byte (taken modulo maxLength + 1), then that many bytes.
    std::string_view TakeText(std::size_t maxLength);
    std::string_view Rest();

  private:
    std::string_view bytes_;
};

// Prints the property and traps when it does not hold.
void Require(bool holds, const char* property);

bool AllBlank(std::string_view text);
bool HasBlankEnds(std::string_view text);
bool IsSubstring(std::string_view part, std::string_view whole);
std::string_view UpToZero(std::string_view text);
// text is head, blanks, separator, blanks, tail.
bool IsCutAround(std::string_view text, std::string_view head, std::string_view separator,
                 std::string_view tail);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);
std::string AsciiUpper(std::string_view text);
