#include "diagnosis/ConfigurationCheck.h"

#include "config/ConfigReadScope.h"
#include "config/ConfigSettings.h"
#include "diagnosis/ReportLine.h"
#include "diagnosis/ScheduleEvent.h"

namespace {

const int32_t SupportedVersion = 1;

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
    context.TraceModeOn = ConfigInt("Main", "TraceMode", 0).Value() > 0;
    int32_t version = ConfigInt("Main", "Version", 0).Value();
    context.Facts.ConfigVersionRead = true;
    context.Facts.ConfigVersion = version;
    Str line;
    line.Format("Config Version %u\r\n", static_cast<unsigned>(version));
    context.AppendToReport(WholeLine(line));
    if (version != SupportedVersion) {
        result = ConfigCode::WrongVersion;
    }
    bool eventsScheduled = ReportEvents(context);
    bool alertsConfigured = ReportAlerts(context);
    if ((!eventsScheduled || !alertsConfigured) && result == ConfigCode::Fine) {
        result = ConfigCode::NothingConfigured;
    }
    ReportSites(context);
    return result;
}
