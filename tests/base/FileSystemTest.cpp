#include "base/BoundedJob.h"
#include "base/FileFinder.h"
#include "base/LocalPath.h"
#include "base/SystemErrorText.h"
#include "base/WholeFile.h"

#include "Handles.h"
#include "Programs.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(DirectoryExists, FoldersOnly) {
    ScratchFolder scratch;
    WriteBytes(scratch.File("plain.txt"), "x");
    EXPECT_TRUE(DirectoryExists(scratch.Path().c_str()));
    EXPECT_FALSE(DirectoryExists(scratch.File("plain.txt").c_str()));
    EXPECT_FALSE(DirectoryExists(scratch.File("absent").c_str()));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(FileFinder, FirstEntryIsHandedOutByTheFirstFindNext) {
    ScratchFolder scratch;
    WriteBytes(scratch.File("AppTrace.log"), "1");
    WriteBytes(scratch.File("WorkTrace.log"), "2");
    WriteBytes(scratch.File("other.log"), "3");
    FileFinder finder;
    ASSERT_TRUE(finder.FindFirst((scratch.Path() + "\\*Trace.log").c_str()));
    std::set<std::string> names;
    ASSERT_TRUE(finder.FindNext());
    names.insert(finder.FileName().Text());
    ASSERT_TRUE(finder.FindNext());
    names.insert(finder.FileName().Text());
    EXPECT_FALSE(finder.FindNext());
    EXPECT_FALSE(finder.FindNext());
    EXPECT_EQ((std::set<std::string>{"AppTrace.log", "WorkTrace.log"}), names);
}

TEST(FileFinder, NoMatch) {
    ScratchFolder scratch;
    FileFinder finder;
    EXPECT_FALSE(finder.FindFirst((scratch.Path() + "\\*Trace.log").c_str()));
    EXPECT_FALSE(finder.FindNext());
    FileFinder unused;
    EXPECT_FALSE(unused.FindNext());
}

TEST(SystemErrorText, SystemTextsAndUnknownCodes) {
    Str notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_GT(notFound.Length(), 2);
    EXPECT_EQ("\r\n", std::string(notFound.Text()).substr(notFound.Length() - 2));
    Str unknown = SystemErrorText(0x2FFFFFFF);
    EXPECT_STREQ("Unknown error 805306367\r\n", unknown.Text());
}

namespace {

// Stand-ins for ReplaceFileW that fail as Windows documents it can, which Wine's never does:
// the replaced file renamed to the backup name and the replacement left under its own (1177),
// or both left under their names (1175, and 1176 when a backup name is given; without one the
// replaced file is gone). Each keeps the replacement name it was handed.
std::wstring replacementSeen;

BOOL WINAPI FailsToMoveTheReplacement(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD,
                                      LPVOID, LPVOID) {
    replacementSeen = replacement;
    if (backup) {
        MoveFileW(replaced, backup);
    }
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

BOOL WINAPI FailsToRenameTheReplacement(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                        DWORD, LPVOID, LPVOID) {
    replacementSeen = replacement;
    if (!backup) {
        DeleteFileW(replaced);
    }
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

BOOL WINAPI FailsToRemoveTheReplaced(LPCWSTR, LPCWSTR replacement, LPCWSTR, DWORD, LPVOID, LPVOID) {
    replacementSeen = replacement;
    SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return FALSE;
}

BOOL WINAPI ReplacesAsTheSystemDoes(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                    DWORD flags, LPVOID exclude, LPVOID reserved) {
    replacementSeen = replacement;
    return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    FileFinder finder;
    if (finder.FindFirst((folder + "\\*").c_str())) {
        while (finder.FindNext()) {
            names.insert(finder.FileName().Text());
        }
    }
    names.erase(".");
    names.erase("..");
    return names;
}

std::string TemporaryFolder() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

// What the folder above FILE's and the temporary folder hold while both files exist.
std::set<std::string> parentAtReplace, temporaryAtReplace;
std::string parentFolder;

BOOL WINAPI LooksAroundAndReplaces(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                   DWORD flags, LPVOID exclude, LPVOID reserved) {
    replacementSeen = replacement;
    parentAtReplace = Names(parentFolder);
    temporaryAtReplace = Names(TemporaryFolder());
    return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
}

} // namespace

// Whatever step of the replace fails, FILE keeps its bytes under its name and nothing is left
// beside it; the error is the system's.
TEST(WholeFile, AFailedReplaceKeepsTheOldFileAndLeavesNothingBeside) {
    const struct {
        ReplaceFileCall replace;
        uint32_t code;
    } failures[] = {{FailsToMoveTheReplacement, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
                    {FailsToRenameTheReplacement, ERROR_UNABLE_TO_MOVE_REPLACEMENT},
                    {FailsToRemoveTheReplaced, ERROR_UNABLE_TO_REMOVE_REPLACED}};
    for (const auto& failure : failures) {
        ScratchFolder scratch;
        std::string file = scratch.File("report.json");
        ASSERT_TRUE(WriteBytes(file, "old"));
        uint32_t error = 0;
        EXPECT_FALSE(WriteWholeFile(file.c_str(), "new", 3, error, failure.replace));
        EXPECT_EQ(failure.code, error);
        EXPECT_EQ("old", ReadBytes(file)) << failure.code;
        EXPECT_EQ(std::set<std::string>{"report.json"}, Names(scratch.Path())) << failure.code;
    }
}

// A FILE just under MAX_PATH gets a temporary name beside it that is not: that name takes the
// long-path form, as FILE's own would.
TEST(WholeFile, ATemporaryNamePastMaxPathTakesTheLongPathForm) {
    ScratchFolder scratch;
    std::string folder = scratch.Path() + "\\" + std::string(240 - scratch.Path().size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string file = folder + "\\" + std::string(MAX_PATH - 2 - folder.size(), 'r');
    ASSERT_EQ(MAX_PATH - 1u, file.size());
    ASSERT_TRUE(WriteBytes(file, "old"));
    uint32_t error = 0;
    replacementSeen.clear();
    EXPECT_TRUE(WriteWholeFile(file.c_str(), "new", 3, error, ReplacesAsTheSystemDoes));
    EXPECT_EQ("new", ReadBytes(file));
    EXPECT_EQ(0u, replacementSeen.rfind(L"\\\\?\\", 0));
    EXPECT_EQ(std::set<std::string>{file.substr(folder.size() + 1)}, Names(folder));
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

namespace {

// Waits until released, then tells that it has ended by its destructor.
class WaitingJob : public BoundedJob {
public:
    WaitingJob(HANDLE release, HANDLE ended) : release(release), ended(ended) {}
    ~WaitingJob() override { SetEvent(ended); }
    void Run() override { ran = WaitForSingleObject(release, INFINITE) == WAIT_OBJECT_0; }

    HANDLE release;
    HANDLE ended;
    bool ran = false;
};

} // namespace

// Work that ends in time is the caller's; work given up ends on its own once it can, and goes,
// and holds up no work after it.
TEST(BoundedJob, GivesUpWorkThatDoesNotEndInTimeAndLetsItEndAlone) {
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* blocked = new WaitingJob(release, ended);
    const char* share = "\\\\monitor-share\\velmont";
    EXPECT_FALSE(RunWithin(blocked, 100, share));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(ended, 0));
    HANDLE released = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    HANDLE otherEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* next = new WaitingJob(released, otherEnded);
    ASSERT_TRUE(RunWithin(next, 60000, share));
    EXPECT_TRUE(next->ran);
    delete next;
    CloseHandle(released);
    CloseHandle(otherEnded);
    SetEvent(release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ended, 60000));

    ResetEvent(ended);
    auto* done = new WaitingJob(release, ended);
    ASSERT_TRUE(RunWithin(done, 60000, nullptr));
    EXPECT_TRUE(done->ran);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(ended, 0));
    delete done;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ended, 0));
    CloseHandle(release);
    CloseHandle(ended);
}

namespace {

class ThreadJob : public BoundedJob {
public:
    void Run() override { thread = GetCurrentThreadId(); }
    DWORD thread = 0;
};

} // namespace

// A drive letter that names no drive here.
std::string UnmappedDrive() {
    for (char letter = 'D'; letter <= 'Y'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) {
            return root;
        }
    }
    return "";
}

// Only a question about a path on a fixed drive that nothing sends elsewhere is asked on the
// caller's thread: one about a share, a relative path, or a drive of another kind may hang it.
// Either way, a question answered leaves no handle behind.
TEST(BoundedJob, OnlyAPlainLocalPathIsAskedHere) {
    ScratchFolder scratch;
    WriteBytes(scratch.File("VLWorkTrace.log"), "x");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string unmapped = UnmappedDrive();
    ASSERT_FALSE(unmapped.empty());
    auto* first = new ThreadJob; // the pool's thread, made once
    ASSERT_TRUE(RunWithin(first, 60000, nullptr));
    delete first;
    struct Case {
        std::string path;
        bool plain;
    } cases[] = {
        {scratch.Path(), true},
        {scratch.File("VLWorkTrace.log"), true},
        {scratch.File("absent\\VLWorkTrace.log"), true},
        {system, true},
        {ProgramFolder(), true}, // under Wine on Z:, a fixed drive that does not hold Windows
        {"\\\\monitor-share\\velmont\\VLWorkTrace.log", false},
        {"\\\\?\\UNC\\monitor-share\\velmont", false},
        {"VLWorkTrace.log", false},
        {"C:VLWorkTrace.log", false},
        {unmapped + "velmont\\VLWorkTrace.log", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plain, IsPlainLocalPath(c.path.c_str())) << c.path;
        size_t handles = OwnHandleCount();
        auto* job = new ThreadJob;
        ASSERT_TRUE(RunWithin(job, 60000, c.path.c_str())) << c.path;
        EXPECT_EQ(c.plain, job->thread == GetCurrentThreadId()) << c.path;
        delete job;
        EXPECT_EQ(handles, OwnHandleCount()) << c.path;
    }
    // A run asks each drive once: C: asked first must not answer for the drive that is not there.
    DriveTypeScope drives;
    for (const Case& c : cases) {
        EXPECT_EQ(c.plain, IsPlainLocalPath(c.path.c_str())) << c.path;
    }
    EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), DriveTypeScope::DriveType(unmapped[0] | 0x20));
}

// The temporary file lies in FILE's own folder, the one place the move is one step: nothing
// appears in the folder above it or in the temporary folder, even for a moment.
TEST(WholeFile, TheTemporaryFileLiesInFilesOwnFolderOnly) {
    ScratchFolder scratch;
    parentFolder = scratch.Path();
    std::string folder = scratch.File("reports");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string file = folder + "\\report.json";
    ASSERT_TRUE(WriteBytes(file, "old"));
    std::set<std::string> parentBefore = Names(parentFolder);
    std::set<std::string> temporaryBefore = Names(TemporaryFolder());
    uint32_t error = 0;
    replacementSeen.clear();
    EXPECT_TRUE(WriteWholeFile(file.c_str(), "new", 3, error, LooksAroundAndReplaces));
    EXPECT_EQ("new", ReadBytes(file));
    EXPECT_EQ(parentBefore, parentAtReplace);
    EXPECT_EQ(temporaryBefore, temporaryAtReplace);
    std::wstring wideFolder(folder.begin(), folder.end());
    EXPECT_EQ(wideFolder + L"\\", replacementSeen.substr(0, replacementSeen.rfind(L'\\') + 1));
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}
