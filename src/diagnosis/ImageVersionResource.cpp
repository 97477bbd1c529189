#include "diagnosis/ImageVersionResource.h"

namespace {

const uint32_t VersionType = 16; // RT_VERSION
const uint32_t VersionName = 1;  // VS_VERSION_INFO
const uint32_t SubdirectoryFlag = 0x80000000u;
const uint32_t NamedEntryFlag = 0x80000000u; // in an entry's id field

// The loader refuses images with more sections; a version block is at most 64 KiB, and no real
// image has thousands of resource types or names.
const uint32_t MostSections = 96;
const uint32_t MostEntries = 4096;
const uint32_t MostResourceSize = 0x20000;

const int64_t NtHeadersSize = 24;
const int32_t SectionHeaderSize = 40;
const int32_t DirectoryHeaderSize = 16;
const int32_t EntrySize = 8;

uint32_t Word(const unsigned char* bytes) {
    return bytes[0] | static_cast<uint32_t>(bytes[1]) << 8;
}

uint32_t Dword(const unsigned char* bytes) {
    return Word(bytes) | Word(bytes + 2) << 16;
}

class ImageFile {
public:
    explicit ImageFile(ByteSource& file) : file(file) {}

    // The headers up to the section table; false for anything but a PE32 or PE32+ image with a
    // resource directory.
    bool ReadHeaders();
    // The entry for id among a directory's numbered entries, as the field that leads on.
    bool FindEntry(uint32_t directory, uint32_t id, uint32_t& target);
    // A language-neutral file names its "MUI" resource type; its version strings may then come
    // from a language file beside it, which only the system's reader takes into account.
    bool HasOnlyNumberedTypes();
    // The one entry of a directory that holds exactly one, numbered.
    bool OnlyEntry(uint32_t directory, uint32_t& target);
    // The place of the data that a data entry describes.
    bool DataPlace(uint32_t entry, ResourcePlace& place);

private:
    bool Read(int64_t offset, unsigned char* buffer, int32_t count) {
        return file.ReadAt(offset, reinterpret_cast<char*>(buffer), count);
    }
    // Tables of the resource directory lie inside the size that its header gives.
    bool ReadResource(uint32_t offset, unsigned char* buffer, int32_t count) {
        return static_cast<uint64_t>(offset) + static_cast<uint32_t>(count) <= resourceSize &&
               Read(resourceStart + offset, buffer, count);
    }
    bool SectionsInsideFile() const;
    bool ReadOptionalHeader(int64_t offset, uint32_t size);
    bool FileOffset(uint32_t address, uint32_t size, int64_t& offset) const;
    bool DirectoryCounts(uint32_t directory, uint32_t& named, uint32_t& numbered);

    ByteSource& file;
    unsigned char sections[MostSections * SectionHeaderSize] = {};
    uint32_t sectionCount = 0;
    int64_t resourceStart = 0;
    uint32_t resourceSize = 0;
};

bool ImageFile::ReadHeaders() {
    unsigned char dos[64];
    if (!Read(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') {
        return false;
    }
    int64_t ntStart = Dword(dos + 0x3C);
    unsigned char nt[NtHeadersSize];
    if (!Read(ntStart, nt, sizeof nt) || Dword(nt) != 0x00004550) { // "PE\0\0"
        return false;
    }
    sectionCount = Word(nt + 6);
    uint32_t optionalSize = Word(nt + 20);
    if (sectionCount == 0 || sectionCount > MostSections ||
        !Read(ntStart + NtHeadersSize + optionalSize, sections,
              static_cast<int32_t>(sectionCount) * SectionHeaderSize)) {
        return false;
    }
    return SectionsInsideFile() && ReadOptionalHeader(ntStart + NtHeadersSize, optionalSize);
}

// The system does not map an image whose sections' bytes run past the end of the file, as a
// file cut short does: its reader then finds no version.
bool ImageFile::SectionsInsideFile() const {
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const unsigned char* section = sections + i * SectionHeaderSize;
        uint64_t rawEnd = static_cast<uint64_t>(Dword(section + 20)) + Dword(section + 16);
        if (Dword(section + 16) != 0 && rawEnd > static_cast<uint64_t>(file.Size())) {
            return false;
        }
    }
    return true;
}

// The resource directory is the third data directory; where the directories start depends on
// whether the image is PE32 or PE32+.
bool ImageFile::ReadOptionalHeader(int64_t offset, uint32_t size) {
    unsigned char header[136];
    if (size < sizeof header || !Read(offset, header, sizeof header)) {
        return false;
    }
    uint32_t magic = Word(header);
    uint32_t directories = magic == 0x10b ? 96 : magic == 0x20b ? 112 : 0;
    if (directories == 0 || Dword(header + directories - 4) <= 2) {
        return false;
    }
    uint32_t address = Dword(header + directories + 2 * 8);
    resourceSize = Dword(header + directories + 2 * 8 + 4);
    return address != 0 && FileOffset(address, resourceSize, resourceStart);
}

// The first section whose bytes in the file hold the address holds the whole run.
bool ImageFile::FileOffset(uint32_t address, uint32_t size, int64_t& offset) const {
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const unsigned char* section = sections + i * SectionHeaderSize;
        uint64_t start = Dword(section + 12);
        uint64_t rawSize = Dword(section + 16);
        if (address < start || address >= start + rawSize) {
            continue;
        }
        if (address + static_cast<uint64_t>(size) > start + rawSize) {
            return false;
        }
        offset = static_cast<int64_t>(Dword(section + 20) + (address - start));
        return true;
    }
    return false;
}

bool ImageFile::DirectoryCounts(uint32_t directory, uint32_t& named, uint32_t& numbered) {
    unsigned char header[DirectoryHeaderSize];
    if (!ReadResource(directory, header, sizeof header)) {
        return false;
    }
    named = Word(header + 12);
    numbered = Word(header + 14);
    return named + numbered <= MostEntries;
}

bool ImageFile::HasOnlyNumberedTypes() {
    uint32_t named = 0;
    uint32_t numbered = 0;
    return DirectoryCounts(0, named, numbered) && named == 0;
}

// The system looks an id up as a sorted table: in a table out of order it may miss an entry
// that a plain scan finds, so such a table is left to it.
bool ImageFile::FindEntry(uint32_t directory, uint32_t id, uint32_t& target) {
    uint32_t named = 0;
    uint32_t numbered = 0;
    if (!DirectoryCounts(directory, named, numbered)) {
        return false;
    }
    bool found = false;
    uint64_t previous = 0;
    for (uint32_t i = named; i < named + numbered; ++i) {
        unsigned char entry[EntrySize];
        uint32_t at = directory + DirectoryHeaderSize + i * EntrySize;
        if (!ReadResource(at, entry, sizeof entry)) {
            return false;
        }
        uint64_t entryId = Dword(entry);
        if (entryId & NamedEntryFlag || (i > named && entryId <= previous)) {
            return false;
        }
        previous = entryId;
        if (entryId == id) {
            target = Dword(entry + 4);
            found = true;
        }
    }
    return found;
}

bool ImageFile::OnlyEntry(uint32_t directory, uint32_t& target) {
    uint32_t named = 0;
    uint32_t numbered = 0;
    unsigned char entry[EntrySize];
    if (!DirectoryCounts(directory, named, numbered) || named != 0 || numbered != 1 ||
        !ReadResource(directory + DirectoryHeaderSize, entry, sizeof entry)) {
        return false;
    }
    target = Dword(entry + 4);
    return true;
}

bool ImageFile::DataPlace(uint32_t entry, ResourcePlace& place) {
    unsigned char data[16];
    if (!ReadResource(entry, data, sizeof data)) {
        return false;
    }
    place.size = Dword(data + 4);
    return place.size > 0 && place.size <= MostResourceSize &&
           FileOffset(Dword(data), place.size, place.offset) &&
           place.offset <= file.Size() - place.size;
}

} // namespace

// Directory levels: type, name, language. Entries at the first two lead to subdirectories, the
// language's to the data entry.
bool FindVersionResource(ByteSource& file, ResourcePlace& place) {
    ImageFile image(file);
    uint32_t names = 0;
    uint32_t languages = 0;
    uint32_t data = 0;
    return image.ReadHeaders() && image.HasOnlyNumberedTypes() &&
           image.FindEntry(0, VersionType, names) && (names & SubdirectoryFlag) &&
           image.FindEntry(names & ~SubdirectoryFlag, VersionName, languages) &&
           (languages & SubdirectoryFlag) && image.OnlyEntry(languages & ~SubdirectoryFlag, data) &&
           !(data & SubdirectoryFlag) && image.DataPlace(data, place);
}
