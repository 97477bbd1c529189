#include "diagnosis/ReportHeader.h"

#include "base/SystemPaths.h"
#include "base/UserContext.h"
#include "resources/Version.h"

#include <cstdio>

const char* const DoctorVersion = VLD_VERSION_TEXT;

namespace {

void AppendSystemVersion(RunContext& context) {
    const MachineReadings::Version& version = context.Machine->SystemVersion();
    Str line;
    line.Format("System Version is %d.%d 0x%x Platform 0x%x Info '%s'\r\n",
                static_cast<int>(version.Major), static_cast<int>(version.Minor),
                static_cast<unsigned>(version.Build), static_cast<unsigned>(version.Platform),
                version.ServicePack.Text());
    context.AppendToReport(line);
    context.Facts.SystemVersion.Format("%u.%u.%u", static_cast<unsigned>(version.Major),
                                       static_cast<unsigned>(version.Minor),
                                       static_cast<unsigned>(version.Build));
}

void AppendComputerAndUser(RunContext& context) {
    Str line;
    const Str& computer = context.Machine->ComputerName();
    if (!computer.IsEmpty()) {
        context.Facts.Computer = computer;
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
