#pragma once

#include <windows.h>

// A path on a fixed drive of this computer (C:\…), or on the drive that holds Windows, that no
// folder on its way, nor the path itself, sends elsewhere: no link or junction, no file of a
// cloud or archive store that must be fetched first. A question about it is answered at once;
// any other path (a share, a mapped network or removable drive, a pipe) may keep the one who
// asks waiting.
bool IsPlainLocalPath(const char* path);

// While one lives on a thread, the type of each drive is asked of the system once: the system
// asks its mount manager, another process, and a run checks every path it reads. Scopes may nest;
// the outermost one serves. A drive letter may be given to another drive at any time, so keep a
// scope to one run.
class DriveTypeScope {
public:
    DriveTypeScope();
    DriveTypeScope(const DriveTypeScope&) = delete;
    DriveTypeScope& operator=(const DriveTypeScope&) = delete;
    ~DriveTypeScope();

    // The drive's type (GetDriveTypeA) of the drive letter's root, served from the scope that
    // serves the thread when it has asked before.
    static UINT DriveType(char letter);

private:
    static const int Letters = 26;
    static const UINT NotAsked = ~0u;

    UINT types[Letters];
    bool serving = false;
};
