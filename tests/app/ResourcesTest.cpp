#include "Files.h"
#include "ReportRun.h"

#include "base/TextEncoding.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <imagehlp.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupEntry> GroupEntries(const char* type, unsigned id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    std::vector<GroupEntry> entries;
    if (!found) {
        return entries;
    }
    auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    auto* first = reinterpret_cast<const GroupEntry*>(header + 3);
    entries.assign(first, first + header[2]);
    return entries;
}

// The activation context that the system makes from the built program's manifest.
class ProgramManifest {
public:
    ProgramManifest() : path(WideFromUtf8(Str(DoctorPath().c_str()))) {
        ACTCTXW request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        context = CreateActCtxW(&request);
    }
    ProgramManifest(const ProgramManifest&) = delete;
    ProgramManifest& operator=(const ProgramManifest&) = delete;
    ~ProgramManifest() {
        if (Valid()) {
            ReleaseActCtx(context);
        }
    }

    bool Valid() const { return context != INVALID_HANDLE_VALUE; }
    std::wstring Setting(const wchar_t* nameSpace, const wchar_t* name) const {
        wchar_t value[128] = {};
        QueryActCtxSettingsW(0, context, nameSpace, name, value, 127, nullptr);
        return value;
    }
    std::vector<BYTE> Information(ULONG kind, DWORD index = 0) const {
        std::vector<BYTE> data(4096);
        if (!QueryActCtxW(0, context, index ? &index : nullptr, kind, data.data(), data.size(),
                          nullptr)) {
            data.clear();
        }
        return data;
    }

private:
    std::wstring path;
    HANDLE context;
};

bool HoldsGuid(const std::vector<BYTE>& data, const GUID& id) {
    for (size_t at = 0; at + sizeof id <= data.size(); ++at) {
        if (memcmp(data.data() + at, &id, sizeof id) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

// Read back through the system's own parser, so a setting it would not understand fails here.
TEST(Resources, TheProgramsManifestAsTheSystemReadsIt) {
    ProgramManifest manifest;
    ASSERT_TRUE(manifest.Valid()) << GetLastError();
    EXPECT_EQ(L"UTF-8", manifest.Setting(L"http://schemas.microsoft.com/SMI/2019/WindowsSettings",
                                         L"activeCodePage"));
    EXPECT_EQ(
        0u,
        manifest.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness")
            .find(L"PerMonitorV2"));
    EXPECT_EQ(L"true/pm", manifest.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                           L"dpiAware"));
    EXPECT_EQ(L"true", manifest.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                        L"longPathAware"));

    std::vector<BYTE> systems = manifest.Information(CompatibilityInformationInActivationContext);
    ASSERT_GE(systems.size(), sizeof(DWORD));
    EXPECT_EQ(4u, *reinterpret_cast<const DWORD*>(systems.data()));
    const GUID windows10 = {
        0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    const GUID windows7 = {
        0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}};
    EXPECT_TRUE(HoldsGuid(systems, windows10));
    EXPECT_TRUE(HoldsGuid(systems, windows7));

    std::vector<BYTE> level = manifest.Information(RunlevelInformationInActivationContext);
    ASSERT_GE(level.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    EXPECT_EQ(
        ACTCTX_RUN_LEVEL_AS_INVOKER,
        reinterpret_cast<const ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION*>(level.data())->RunLevel);

    // The program's own assembly is the first; its dependency the second.
    std::vector<BYTE> dependency =
        manifest.Information(AssemblyDetailedInformationInActivationContext, 2);
    ASSERT_FALSE(dependency.empty());
    auto* assembly = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(
        dependency.data());
    std::wstring identity = assembly->lpAssemblyEncodedAssemblyIdentity;
    EXPECT_NE(std::wstring::npos, identity.find(L"Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::wstring::npos, identity.find(L"version=\"6."));
}

TEST(Resources, IconHoldsA32And16PixelImage) {
    std::vector<GroupEntry> entries =
        GroupEntries(MAKEINTRESOURCEA(14), IDI_DOCTOR); // RT_GROUP_ICON
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(32, entries[0].width);
    EXPECT_EQ(32, entries[0].height);
    EXPECT_EQ(16, entries[1].width);
    EXPECT_EQ(16, entries[1].height);
    for (const GroupEntry& entry : entries) {
        EXPECT_EQ(16, entry.colours);
        EXPECT_EQ(4, entry.bits);
    }
    HICON small = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOCTOR), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(nullptr, small);
    DestroyIcon(small);
}

TEST(Resources, CursorIsA32PixelHandWithItsHotSpotAtTheFingertip) {
    std::vector<GroupEntry> entries =
        GroupEntries(MAKEINTRESOURCEA(12), IDR_HAND_CURSOR); // RT_GROUP_CURSOR
    ASSERT_EQ(1u, entries.size());
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(entries[0].id), MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, image);
    // A cursor image: the hot spot, then the bitmap header of a 16-colour picture.
    auto* hotSpot = static_cast<const WORD*>(LockResource(LoadResource(module, image)));
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(hotSpot + 2);
    EXPECT_EQ(13, hotSpot[0]);
    EXPECT_EQ(2, hotSpot[1]);
    EXPECT_EQ(32, header->biWidth);
    EXPECT_EQ(4, header->biBitCount);
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    ASSERT_NE(nullptr, hand);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(13u, info.xHotspot);
    EXPECT_EQ(2u, info.yHotspot);
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(32, colour.bmWidth);
    EXPECT_EQ(32, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Each program of the pair names itself: rules that know a program by its original name tell
// them apart.
TEST(Resources, EachProgramCarriesVersionOnePointTwentyFourUnderItsOwnName) {
    for (const std::string& path : {DoctorPath(), CompanionPath()}) {
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_GT(size, 0u) << path;
        std::vector<char> data(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(MAKELONG(24, 1), fixed->dwFileVersionMS) << path;
        char* original = nullptr;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\OriginalFilename",
                                   reinterpret_cast<void**>(&original), &length));
        EXPECT_EQ(path.substr(path.rfind('\\') + 1), original);
    }
}

// The build moves each program's code to a page boundary of its file, where Wine maps it instead
// of reading it at every start, and sets the image's checksum again: the system's own sum of the
// file must agree with the header.
TEST(Resources, EachProgramsCodeStartsAPageOfItsFileAndItsChecksumHolds) {
    for (const std::string& path : {DoctorPath(), CompanionPath()}) {
        DWORD stored = 0;
        DWORD computed = 0;
        ASSERT_EQ(static_cast<DWORD>(CHECKSUM_SUCCESS),
                  MapFileAndCheckSumA(path.c_str(), &stored, &computed))
            << path;
        EXPECT_NE(0u, stored) << path;
        EXPECT_EQ(computed, stored) << path;
        std::string image = ReadBytes(path);
        ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER)) << path;
        LONG headers = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data())->e_lfanew;
        ASSERT_LT(static_cast<size_t>(headers) + sizeof(IMAGE_NT_HEADERS), image.size()) << path;
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + headers);
        const IMAGE_SECTION_HEADER* code = IMAGE_FIRST_SECTION(nt);
        ASSERT_EQ(0, memcmp(code->Name, ".text", 6)) << path;
        EXPECT_EQ(0u, code->PointerToRawData % 4096) << path;
    }
}
