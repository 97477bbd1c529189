#include "diagnosis/ReportHeader.h"

#include "resources/Version.h"

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

void AppendComputerAndUser(RunContext& context) {
    char name[256];
    DWORD size = sizeof name;
    Str line;
    if (GetComputerNameA(name, &size)) {
        line.Format("Computer  '%s'\r\n", name);
        context.AppendToReport(line);
        context.Facts.Computer.Assign(name);
    }
    size = sizeof name;
    if (GetUserNameA(name, &size)) {
        line.Format("User '%s'\r\n", name);
        context.AppendToReport(line);
        context.Facts.User.Assign(name);
    }
}

bool WindowsVolumeSerial(DWORD& serial) {
    char folder[256] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length < 3 || length >= sizeof folder) {
        return false;
    }
    folder[3] = '\0';
    return GetVolumeInformationA(folder, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0) != 0;
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
