#include "diagnosis/InstallationCheck.h"

#include "base/FileFinder.h"
#include "base/RegKey.h"
#include "config/ConfigSettings.h"
#include "config/ConfigStore.h"
#include "diagnosis/ReportLine.h"

const char* const ProductUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly Velmont";

namespace {

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

// A missing uninstall entry is no fault; one without a command is.
bool UninstallEntryUsable(RunContext& context) {
    RegKey uninstall;
    if (!RegKey::MachineKeyExists(ProductUninstallKey) ||
        !uninstall.OpenMachineKey(ProductUninstallKey, true)) {
        return true;
    }
    if (!uninstall.GetString("UninstallString", "").IsEmpty()) {
        return true;
    }
    context.AppendToReport(Str("Velmont is not configured to be uninstalled correctly\r\n"));
    return false;
}

} // namespace

StageCode InstallationCheck(RunContext& context) {
    context.TraceModeOn = false;
    if (!RegKey::UserKeyExists(ProductSettingsKey)) {
        return InstallCode::NotInstalled;
    }
    RegKey settings;
    if (!settings.OpenUserKey(ProductSettingsKey, true)) {
        return InstallCode::InstallationBroken;
    }
    ReportInstallation(context, settings);
    settings.Close();
    if (context.InstallFolder.IsEmpty()) {
        return InstallCode::InstallationBroken;
    }
    ReportConfiguration(context);
    if (!UninstallEntryUsable(context)) {
        return InstallCode::InstallationBroken;
    }
    if (!DirectoryExists(context.ConfigFolder.Text())) {
        context.AppendToReport(Str("The Configuration folder does not exist\r\n"));
        return InstallCode::ConfigurationMissing;
    }
    if (ConfigString("Main", "LogFile", "").Value().IsEmpty()) {
        context.AppendToReport(Str("The report log setting has not been set\r\n"));
        return InstallCode::ConfigurationMissing;
    }
    return InstallCode::Installed;
}
