#include "diagnosis/ReportHeader.h"

#include "base/SystemPaths.h"
#include "base/TextEncoding.h"
#include "base/UserContext.h"
#include "resources/Version.h"

#include <lmcons.h>

#include <cstdio>

const char* const DoctorVersion = VLD_VERSION_TEXT;

namespace {

void AppendSystemVersion(RunContext& context) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    Str line;
    line.Format("System Version is %d.%d 0x%x Platform 0x%x Info '%s'\r\n",
                static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                static_cast<unsigned>(version.dwBuildNumber),
                static_cast<unsigned>(version.dwPlatformId), version.szCSDVersion);
    context.AppendToReport(line);
    context.Facts.SystemVersion.Format("%u.%u.%u", static_cast<unsigned>(version.dwMajorVersion),
                                       static_cast<unsigned>(version.dwMinorVersion),
                                       static_cast<unsigned>(version.dwBuildNumber));
}

// The computer's name is read in UTF-16 and given in UTF-8 (as the user's, see UserContext): the
// UTF-8 code page needs bytes where Wine's ...A calls count characters.
void AppendComputerAndUser(RunContext& context) {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    Str line;
    if (GetComputerNameW(name, &size)) {
        context.Facts.Computer = Utf8FromWide(name, static_cast<int32_t>(size));
        line.Format("Computer  '%s'\r\n", context.Facts.Computer.Text());
        context.AppendToReport(line);
    }
    const Str& account = ActiveUser().Account;
    if (!account.IsEmpty()) {
        context.Facts.User = account;
        line.Format("User '%s'\r\n", context.Facts.User.Text());
        context.AppendToReport(line);
    }
}

bool WindowsVolumeSerial(DWORD& serial) {
    Str folder = QueryFolder(GetWindowsDirectoryA);
    if (folder.Length() < 3) {
        return false;
    }
    Str root(folder.Text(), 3);
    return GetVolumeInformationA(root.Text(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0) !=
           0;
}

} // namespace

// Day before month; a volume whose serial cannot be read says so instead of showing a number.
Str FormatTimeLine(const SYSTEMTIME& time, const DWORD* serial) {
    char serialText[16] = "unknown";
    if (serial) {
        snprintf(serialText, sizeof serialText, "%x", static_cast<unsigned>(*serial));
    }
    Str line;
    line.Format("Time %d:%02d:%02d.%03d on %d/%02d/%d (%s)\r\n", time.wHour, time.wMinute,
                time.wSecond, time.wMilliseconds, time.wDay, time.wMonth, time.wYear, serialText);
    return line;
}

void WriteReportHeader(RunContext& context) {
    Str line;
    line.Format("Velmont Doctor version '%s'\r\n", DoctorVersion);
    context.AppendToReport(line);
    AppendSystemVersion(context);
    AppendComputerAndUser(context);
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    context.Facts.Time.Format("%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth, utc.wDay,
                              utc.wHour, utc.wMinute, utc.wSecond);
    DWORD serial = 0;
    bool known = WindowsVolumeSerial(serial);
    context.AppendToReport(FormatTimeLine(now, known ? &serial : nullptr));
}
