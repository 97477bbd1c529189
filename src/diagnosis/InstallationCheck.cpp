#include "diagnosis/InstallationCheck.h"

#include "base/BoundedJob.h"
#include "base/JoinPath.h"
#include "base/PathWithin.h"
#include "base/RegKey.h"
#include "config/ConfigSettings.h"
#include "config/ConfigStore.h"
#include "diagnosis/ReportLine.h"

const char* const ProductUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly Velmont";

namespace {

const char* const UserHive = "HKEY_CURRENT_USER";

Str UserSettingsPath() {
    return JoinPath(Str(UserHive), ProductSettingsKey);
}

void FindNotInstalled(RunContext& context) {
    Evidence evidence;
    evidence.Path = UserSettingsPath();
    Str title;
    title.Format("Velmont is not installed for the user '%s'", context.Facts.User.Text());
    context.AddFinding(FindingId::NotInstalled, title,
                       Str("Run the Doctor as the user who uses Velmont, or install Velmont for "
                           "this user."),
                       evidence);
}

void FindSettingsUnreadable(RunContext& context) {
    Evidence evidence;
    evidence.Path = UserSettingsPath();
    Str fix;
    fix.Format("Give the user '%s' read access to the registry key '%s'.",
               context.Facts.User.Text(), evidence.Path.Text());
    context.AddFinding(FindingId::SettingsUnreadable, Str("Velmont's settings cannot be read"), fix,
                       evidence);
}

void FindInstallFolderUnknown(RunContext& context) {
    Evidence evidence;
    evidence.Path = UserSettingsPath();
    evidence.Value = "Installation";
    Str fix;
    fix.Format("Reinstall Velmont: its installer records the installation folder in the value "
               "'%s' of '%s'.",
               evidence.Value.Text(), evidence.Path.Text());
    context.AddFinding(FindingId::InstallFolderUnknown,
                       Str("Velmont's installation folder is not recorded"), fix, evidence);
}

// The installation folder, build and description, from the user's settings or, when the user's
// settings name no folder, from the machine's.
void ReportInstallation(RunContext& context, RegKey& settings) {
    context.InstallFolder = settings.GetString("Installation", "");
    if (context.InstallFolder.IsEmpty() && settings.OpenMachineKey(ProductSettingsKey, true)) {
        context.InstallFolder = settings.GetString("Installation", "");
    }
    uint32_t build = settings.GetDword("InstallVersion", 0);
    Str description = settings.GetString("InstallDescription", "");
    if (!settings.OpenUserKey(ProductSettingsKey, true)) {
        return;
    }
    context.ConfigName = settings.GetString("Config", "");
    if (!context.ConfigName.IsEmpty()) {
        context.ConfigFolder = ConfigString("Main", "RootFolder", "").Value();
    }
    context.Facts.Build = build;
    context.Facts.Description = description;
    Str line;
    line.Format("Installation folder '%s' Build '%u' Description '%s' \r\n",
                context.InstallFolder.Text(), static_cast<unsigned>(build), description.Text());
    context.AppendToReport(WholeLine(line));
}

void ReportConfiguration(RunContext& context) {
    Str line;
    line.Format("Configuration folder '%s' \r\n", context.ConfigFolder.Text());
    context.AppendToReport(WholeLine(line));
    line.Format("Configuration name '%s' \r\n", context.ConfigName.Text());
    context.AppendToReport(WholeLine(line));
}

bool UninstallEntryUsable(RunContext& context) {
    if (!context.Machine->UninstallCommandMissing()) {
        return true;
    }
    context.AppendToReport(Str("Velmont is not configured to be uninstalled correctly\r\n"));
    Evidence evidence;
    // The 64-bit system's registry shows a 32-bit installer's key under WOW6432Node.
    evidence.Path =
        "HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\"
        "Uninstall\\Tessaly Velmont";
    evidence.Value = "UninstallString";
    Str fix;
    fix.Format("Reinstall Velmont as an administrator: its installer writes the uninstall "
               "command, the value '%s' of '%s'.",
               evidence.Value.Text(), evidence.Path.Text());
    context.AddFinding(FindingId::UninstallCommandMissing,
                       Str("Velmont's uninstall entry has no uninstall command"), fix, evidence);
    return false;
}

// A folder on a network share whose server is gone is given up after a while: the report says
// what it says of a missing folder, the finding what happened.
void FindConfigFolderUnreachable(RunContext& context) {
    Evidence evidence;
    evidence.Path = context.ConfigFolder;
    Str title;
    title.Format("The configuration folder '%s' did not answer within %u seconds",
                 context.ConfigFolder.Text(), static_cast<unsigned>(PathAnswerLimitMs / 1000));
    Str fix;
    fix.Format("Make sure that this computer reaches the share of '%s', or move the configuration "
               "'%s' to a local folder with the Velmont Wizard.",
               context.ConfigFolder.Text(), context.ConfigName.Text());
    context.AddFinding(FindingId::ConfigFolderUnreachable, title, fix, evidence);
}

bool ConfigFolderExists(RunContext& context) {
    bool timedOut = false;
    if (DirectoryExistsWithin(context.ConfigFolder.Text(), PathAnswerLimitMs, timedOut)) {
        return true;
    }
    context.AppendToReport(Str("The Configuration folder does not exist\r\n"));
    if (timedOut) {
        FindConfigFolderUnreachable(context);
        return false;
    }
    Evidence evidence;
    evidence.Path = context.ConfigFolder;
    Str title;
    title.Format("The configuration folder '%s' does not exist", context.ConfigFolder.Text());
    Str fix;
    fix.Format("Restore the folder '%s' from a backup, or run the Velmont Wizard to set up the "
               "configuration '%s' again.",
               context.ConfigFolder.Text(), context.ConfigName.Text());
    context.AddFinding(FindingId::ConfigFolderMissing, title, fix, evidence);
    return false;
}

bool LogFileSet(RunContext& context) {
    if (!ConfigString("Main", "LogFile", "").Value().IsEmpty()) {
        return true;
    }
    context.AppendToReport(Str("The report log setting has not been set\r\n"));
    Evidence evidence;
    evidence.Path = SectionRegistryPath("Main");
    evidence.Value = "LogFile";
    Str title;
    title.Format("The configuration '%s' names no report log file", context.ConfigName.Text());
    Str fix;
    fix.Format("Run the Velmont Wizard to choose the report log file of the configuration '%s' "
               "(the value '%s' of '%s').",
               context.ConfigName.Text(), evidence.Value.Text(), evidence.Path.Text());
    context.AddFinding(FindingId::LogFileUnset, title, fix, evidence);
    return false;
}

} // namespace

StageCode InstallationCheck(RunContext& context) {
    context.TraceModeOn = false;
    if (!RegKey::UserKeyExists(ProductSettingsKey)) {
        FindNotInstalled(context);
        return InstallCode::NotInstalled;
    }
    RegKey settings;
    if (!settings.OpenUserKey(ProductSettingsKey, true)) {
        FindSettingsUnreadable(context);
        return InstallCode::InstallationBroken;
    }
    ReportInstallation(context, settings);
    settings.Close();
    if (context.InstallFolder.IsEmpty()) {
        FindInstallFolderUnknown(context);
        return InstallCode::InstallationBroken;
    }
    ReportConfiguration(context);
    if (!UninstallEntryUsable(context)) {
        return InstallCode::InstallationBroken;
    }
    if (!ConfigFolderExists(context) || !LogFileSet(context)) {
        return InstallCode::ConfigurationMissing;
    }
    return InstallCode::Installed;
}
