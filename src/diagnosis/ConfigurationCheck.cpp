#include "diagnosis/ConfigurationCheck.h"

#include "config/ConfigReadScope.h"
#include "config/ConfigSettings.h"
#include "diagnosis/ReportLine.h"
#include "diagnosis/ScheduleEvent.h"
#include "resources/ExampleTexts.h"

namespace {

const int32_t SupportedVersion = 1;

// Nothing to monitor, nobody to alert, nothing to visit: each one a thing the Wizard sets up.
void FindUnconfigured(RunContext& context, FindingId id, const char* section, const char* what,
                      const char* step) {
    Evidence evidence;
    evidence.Path = SectionRegistryPath(section);
    Str title;
    title.Format("The configuration '%s' has no %s", context.ConfigName.Text(), what);
    Str fix;
    fix.Format("Run the Velmont Wizard (VLWizard.exe) and %s in the configuration '%s'.", step,
               context.ConfigName.Text());
    context.AddFinding(id, title, fix, evidence);
}

void FindVersionUnknown(RunContext& context, int32_t version) {
    Evidence evidence;
    evidence.Path = SectionRegistryPath("Main");
    evidence.Value = "Version";
    evidence.Found.Format("%u", static_cast<unsigned>(version));
    evidence.Required.Format("%u", static_cast<unsigned>(SupportedVersion));
    Str title;
    title.Format("The configuration '%s' has version %s, which this Doctor does not know",
                 context.ConfigName.Text(), evidence.Found.Text());
    Str fix;
    fix.Format("Use the Doctor of your release of Velmont, from " VLD_WEB_HOME ": this one "
               "reads configurations of version %s and may misjudge this one.",
               evidence.Required.Text());
    context.AddFinding(FindingId::ConfigVersionUnknown, title, fix, evidence);
}

void FindTraceModeOn(RunContext& context, int32_t mode) {
    Evidence evidence;
    evidence.Path = SectionRegistryPath("Main");
    evidence.Value = "TraceMode";
    evidence.Found.Format("%u", static_cast<unsigned>(mode));
    context.AddFinding(FindingId::TraceModeOn, Str("Velmont's diagnostic trace is on"),
                       Str("Once the problem is traced and the report sent, untick 'Generate "
                           "diagnostic trace files' in the Doctor's report and press Close: the "
                           "trace logs grow while the trace is on."),
                       evidence);
}

void AppendItems(RunContext& context, const ConfigList& items) {
    Str line;
    for (int32_t i = 0; i < items.Count(); ++i) {
        line.Format("Item '%s'\r\n", items.GetAt(i).Text());
        context.AppendProductText(WholeLine(line));
    }
}

// False when no event is scheduled.
bool ReportEvents(RunContext& context) {
    ConfigList events("Schedule", "Event");
    events.Load("");
    if (events.Count() == 0) {
        context.AppendToReport(Str("No events are scheduled\r\n"));
        FindUnconfigured(context, FindingId::NoEvents, "Schedule", "scheduled events",
                         "schedule the events Velmont should run");
        return false;
    }
    context.AppendToReport(Str("Events :\r\n"));
    Str line;
    for (int32_t i = 0; i < events.Count(); ++i) {
        ScheduleEvent event(events.GetAt(i));
        line.Format("Event %u %s %u %u\r\n", static_cast<unsigned>(i), event.text0.Text(),
                    static_cast<unsigned>(event.number1), static_cast<unsigned>(event.number2));
        context.AppendProductText(WholeLine(line));
        context.Facts.Events.Add(RunContext::Masked(event.text0));
        ListWorkGroup(context, event.workGroup);
    }
    return true;
}

// False when no alert scheme is configured.
bool ReportAlerts(RunContext& context) {
    ConfigList schemes("Alerts", "SchemeNames");
    schemes.Load("");
    if (schemes.Count() == 0) {
        context.AppendToReport(Str("No alerts are configured\r\n"));
        FindUnconfigured(context, FindingId::NoAlerts, "Alerts", "alert schemes",
                         "set up who is alerted, and how, when a check fails");
        return false;
    }
    context.AppendToReport(Str("Alerts :\r\n"));
    Str line;
    for (int32_t i = 0; i < schemes.Count(); ++i) {
        Str scheme = schemes.GetAt(i);
        ConfigList items("Alerts", scheme.Text());
        items.Load("");
        line.Format("Scheme '%s'\r\n", scheme.Text());
        context.AppendProductText(WholeLine(line));
        context.Facts.AlertSchemes.Add(RunContext::Masked(scheme));
        AppendItems(context, items);
    }
    return true;
}

void ReportSites(RunContext& context) {
    ConfigList sites("Sites", "ZName");
    sites.Load("");
    if (sites.Count() == 0) {
        context.AppendToReport(Str("No sites are configured\r\n"));
        FindUnconfigured(context, FindingId::NoSites, "Sites", "sites",
                         "add the sites Velmont should monitor");
        return;
    }
    context.AppendToReport(Str("Sites :\r\n"));
    Str line;
    for (int32_t i = 0; i < sites.Count(); ++i) {
        line.Format("Site '%s'\r\n", sites.GetAt(i).Text());
        context.AppendProductText(WholeLine(line));
        context.Facts.Sites.Add(RunContext::Masked(sites.GetAt(i)));
    }
}

} // namespace

void ListWorkGroup(RunContext& context, int32_t number) {
    unsigned group = static_cast<unsigned>(number);
    Str key;
    key.Format("Work%u_Name", group);
    Str line;
    line.Format("Work Group Name '%s'\r\n",
                ConfigString("WorkGroups", key.Text(), "").Value().Text());
    context.AppendProductText(WholeLine(line));
    Str prefix;
    prefix.Format("Work%u_", group);
    ConfigList items("WorkGroups", prefix.Text());
    items.Load("");
    AppendItems(context, items);
}

StageCode ConfigurationCheck(RunContext& context) {
    // Some dozens of settings, each in one of five sections.
    ConfigReadScope reads;
    StageCode result = ConfigCode::Fine;
    int32_t traceMode = ConfigInt("Main", "TraceMode", 0).Value();
    context.TraceModeOn = traceMode > 0;
    if (context.TraceModeOn) {
        FindTraceModeOn(context, traceMode);
    }
    int32_t version = ConfigInt("Main", "Version", 0).Value();
    context.Facts.ConfigVersionRead = true;
    context.Facts.ConfigVersion = version;
    Str line;
    line.Format("Config Version %u\r\n", static_cast<unsigned>(version));
    context.AppendToReport(WholeLine(line));
    if (version != SupportedVersion) {
        result = ConfigCode::WrongVersion;
        FindVersionUnknown(context, version);
    }
    bool eventsScheduled = ReportEvents(context);
    bool alertsConfigured = ReportAlerts(context);
    if ((!eventsScheduled || !alertsConfigured) && result == ConfigCode::Fine) {
        result = ConfigCode::NothingConfigured;
    }
    ReportSites(context);
    return result;
}
