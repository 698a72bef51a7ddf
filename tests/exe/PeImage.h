// The parts of a 32-bit PE file's headers that say how Windows loads it, read from its bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ImportedLibrary {
    std::string name;                   // as the import table spells it
    std::vector<std::string> functions; // imported by name; "#n" for an ordinal
};

struct PeImage {
    IMAGE_FILE_HEADER file{};
    IMAGE_OPTIONAL_HEADER32 optional{};
    std::vector<IMAGE_SECTION_HEADER> sections;
    std::vector<ImportedLibrary> imports;

    const IMAGE_DATA_DIRECTORY& Directory(int index) const;
    // The section holding the address, or null.
    const IMAGE_SECTION_HEADER* SectionOf(std::uint32_t rva) const;
};

// Throws std::runtime_error for bytes that are no PE32 image or point outside themselves.
PeImage ReadPeImage(const std::string& bytes);
