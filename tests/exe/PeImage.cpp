#include "tests/exe/PeImage.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

class ImageBytes {
  public:
    explicit ImageBytes(const std::string& bytes) : bytes_(bytes) {}

    template <class T> T Read(std::uint32_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) {
            throw std::runtime_error("the image ends before offset " + std::to_string(offset));
        }
        T value{};
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    std::string ReadText(std::uint32_t offset) const {
        const std::size_t end = offset < bytes_.size() ? bytes_.find('\0', offset) : bytes_.npos;
        if (end == bytes_.npos) {
            throw std::runtime_error("unterminated name at offset " + std::to_string(offset));
        }
        return bytes_.substr(offset, end - offset);
    }

  private:
    const std::string& bytes_;
};

std::uint32_t FileOffset(const PeImage& image, std::uint32_t rva) {
    const IMAGE_SECTION_HEADER* section = image.SectionOf(rva);
    if (section == nullptr) {
        throw std::runtime_error("address " + std::to_string(rva) + " is in no section");
    }
    return rva - section->VirtualAddress + section->PointerToRawData;
}

std::vector<ImportedLibrary> ReadImports(const PeImage& image, const ImageBytes& bytes) {
    std::vector<ImportedLibrary> imports;
    const IMAGE_DATA_DIRECTORY& directory = image.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (directory.Size == 0) {
        return imports;
    }
    // The table ends with an all-zero descriptor.
    for (std::uint32_t at = FileOffset(image, directory.VirtualAddress);;
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto descriptor = bytes.Read<IMAGE_IMPORT_DESCRIPTOR>(at);
        if (descriptor.Name == 0) {
            break;
        }
        ImportedLibrary library;
        library.name = bytes.ReadText(FileOffset(image, descriptor.Name));
        // The lookup table keeps the names; the address table may be bound over.
        const DWORD lookup = descriptor.OriginalFirstThunk != 0 ? descriptor.OriginalFirstThunk
                                                                : descriptor.FirstThunk;
        for (std::uint32_t thunkAt = FileOffset(image, lookup);; thunkAt += sizeof(DWORD)) {
            const auto thunk = bytes.Read<DWORD>(thunkAt);
            if (thunk == 0) {
                break;
            }
            if ((thunk & IMAGE_ORDINAL_FLAG32) != 0) {
                library.functions.push_back("#" + std::to_string(thunk & 0xFFFF));
            } else {
                // A two-byte hint stands before the name.
                library.functions.push_back(bytes.ReadText(FileOffset(image, thunk) + 2));
            }
        }
        imports.push_back(std::move(library));
    }
    return imports;
}

} // namespace

const IMAGE_DATA_DIRECTORY& PeImage::Directory(int index) const {
    static const IMAGE_DATA_DIRECTORY absent{};
    return static_cast<DWORD>(index) < optional.NumberOfRvaAndSizes ? optional.DataDirectory[index]
                                                                    : absent;
}

const IMAGE_SECTION_HEADER* PeImage::SectionOf(std::uint32_t rva) const {
    for (const IMAGE_SECTION_HEADER& section : sections) {
        const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
            return &section;
        }
    }
    return nullptr;
}

PeImage ReadPeImage(const std::string& bytes) {
    const ImageBytes image(bytes);
    const auto dos = image.Read<IMAGE_DOS_HEADER>(0);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE) {
        throw std::runtime_error("no MZ header");
    }
    const auto peAt = static_cast<std::uint32_t>(dos.e_lfanew);
    if (image.Read<DWORD>(peAt) != IMAGE_NT_SIGNATURE) {
        throw std::runtime_error("no PE signature");
    }
    PeImage pe;
    pe.file = image.Read<IMAGE_FILE_HEADER>(peAt + sizeof(DWORD));
    const std::uint32_t optionalAt = peAt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    pe.optional = image.Read<IMAGE_OPTIONAL_HEADER32>(optionalAt);
    if (pe.optional.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        throw std::runtime_error("not a PE32 image");
    }
    const std::uint32_t sectionsAt = optionalAt + pe.file.SizeOfOptionalHeader;
    for (WORD i = 0; i < pe.file.NumberOfSections; ++i) {
        pe.sections.push_back(
            image.Read<IMAGE_SECTION_HEADER>(sectionsAt + i * sizeof(IMAGE_SECTION_HEADER)));
    }
    pe.imports = ReadImports(pe, image);
    return pe;
}
