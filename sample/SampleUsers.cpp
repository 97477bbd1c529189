#include "SampleUsers.h"

#include "Files.h"
#include "Registry.h"
#include "SamplePlaces.h"
#include "SampleTraceLogs.h"
#include "WritableKey.h"

#include <windows.h>

#include <string>

namespace {

const char* const ProfileListKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const char* const SidPrefix = "S-1-5-21-3623811015-3361044348-30300820-";
// Built in the sample tool's own hive, saved as the user's NTUSER.DAT, then removed again.
const char* const HiveDraftKey = "Software\\VLSample hive draft";

struct SampleUser {
    const char* account;
    const char* rid;
    bool hasProduct;
};

const SampleUser Ines = {"ines", "1013", true};
const SampleUser Tomas = {"tomas", "1014", false};
const SampleUser Former = {"former", "1015", false};

std::string SidOf(const SampleUser& user) {
    return SidPrefix + std::string(user.rid);
}

std::string ProfileOf(const SampleUser& user) {
    return std::string("C:\\users\\") + user.account;
}

// Velmont as Ines keeps it: her configuration in her own roaming folder, named through her
// %APPDATA%, in the older configuration version 2.
bool LayProduct(HKEY hive) {
    std::string configuration = "Software\\Tessaly\\Velmont\\Configurations\\Field Office";
    WritableKey settings(hive, SampleSettingsKey);
    settings.Text("Installation", UsualPlaces().installFolder);
    settings.Number("InstallVersion", 17);
    settings.Text("InstallDescription", "Velmont 2.4 Professional");
    settings.Text("Config", "Field Office");
    WritableKey main(hive, configuration + "\\Main");
    main.ExpandText("RootFolder", "%APPDATA%\\Velmont");
    main.ExpandText("LogFile", "%APPDATA%\\Velmont\\Report.log");
    main.Number("Version", 2);
    main.Number("TraceMode", 0);
    WritableKey schedule(hive, configuration + "\\Schedule");
    schedule.List("Event", {"Field portal,30,60,0,https://field.tessaly.example/,2,Half-hourly"});
    WritableKey alerts(hive, configuration + "\\Alerts");
    alerts.List("SchemeNames", {"Field team"});
    alerts.List("Field team", {"Mail field@tessaly.example"});
    WritableKey sites(hive, configuration + "\\Sites");
    sites.List("ZName", {"field.tessaly.example"});
    WritableKey groups(hive, configuration + "\\WorkGroups");
    groups.Text("Work0_Name", "Field");
    groups.List("Work0_", {"Portal"});
    return settings.Ok() && main.Ok() && schedule.Ok() && alerts.Ok() && sites.Ok() && groups.Ok();
}

bool LayHiveDraft(HKEY hive, const SampleUser& user) {
    WritableKey folders(
        hive, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
    folders.ExpandText("AppData", "%USERPROFILE%\\AppData\\Roaming");
    folders.ExpandText("Local AppData", "%USERPROFILE%\\AppData\\Local");
    return folders.Ok() && (!user.hasProduct || LayProduct(hive));
}

// The hive file through the system's own writer, so that the system's loader reads it.
bool SaveHive(const SampleUser& user) {
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, HiveDraftKey);
    HKEY draft = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, HiveDraftKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &draft, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string file = ProfileOf(user) + "\\NTUSER.DAT";
    DeleteFileA(file.c_str());
    bool saved = LayHiveDraft(draft, user) && TestRegistry::EnableBackupPrivilege() &&
                 RegSaveKeyA(draft, file.c_str(), nullptr) == ERROR_SUCCESS;
    RegCloseKey(draft);
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, HiveDraftKey);
    return saved;
}

bool LayProfileEntry(const SampleUser& user) {
    HKEY entry = nullptr;
    std::string path = std::string(ProfileListKey) + "\\" + SidOf(user);
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &entry,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string profile = ProfileOf(user);
    bool ok = RegSetValueExA(entry, "ProfileImagePath", 0, REG_EXPAND_SZ,
                             reinterpret_cast<const BYTE*>(profile.c_str()),
                             static_cast<DWORD>(profile.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(entry);
    return ok;
}

// Ines's configuration folder and a trace log of her own.
bool LayProductFiles(const SampleUser& user) {
    std::string folder = ProfileOf(user) + "\\AppData\\Roaming\\Velmont";
    return MakeFolders(folder) && WriteBytes(folder + "\\Report.log", "Velmont report log\r\n") &&
           WriteBytes(folder + "\\FieldTrace.log", FieldTraceLog());
}

bool LayUser(const SampleUser& user) {
    return MakeFolders(ProfileOf(user)) && SaveHive(user) && LayProfileEntry(user) &&
           (!user.hasProduct || LayProductFiles(user));
}

} // namespace

bool LaySampleUsers(const SampleVariant& variant) {
    if (!variant.manyUsers) {
        return true;
    }
    return LayUser(Ines) && LayUser(Tomas) && (!variant.profileGone || LayProfileEntry(Former));
}

void RemoveSampleUsers() {
    for (const SampleUser* user : {&Ines, &Tomas, &Former}) {
        TestRegistry::DeleteTree(HKEY_LOCAL_MACHINE,
                                 (std::string(ProfileListKey) + "\\" + SidOf(*user)).c_str());
        RemoveTree(ProfileOf(*user));
    }
}
