#include "app/JsonReport.h"

#include "base/JsonWriter.h"
#include "diagnosis/StageState.h"
#include "report/Prognosis.h"
#include "resources/Version.h"

#include <cstdlib>
#include <initializer_list>

namespace {

const int64_t SchemaVersion = 1;

Str TableText(unsigned id) {
    Str text;
    text.LoadText(id);
    return text;
}

void WriteStrings(JsonWriter& json, const char* key, const StrList& items) {
    json.Key(key);
    json.BeginArray();
    for (int32_t i = 0; i < items.Count(); ++i) {
        json.String(items.GetAt(i));
    }
    json.EndArray();
}

// The lines of a copied text, without their line ends. A log may end its lines in CR CR LF (a
// text-mode write of a CR LF) or hold a bare CR (a progress line drawn over itself): a run of CRs,
// with the LF after it if there is one, is one line end, so no line keeps a CR.
void WriteLines(JsonWriter& json, const Str& text) {
    json.BeginArray();
    const char* line = text.Text();
    const char* end = line + text.Length();
    while (line < end) {
        const char* stop = line;
        while (stop < end && *stop != '\n' && *stop != '\r') {
            ++stop;
        }
        json.String(line, static_cast<int32_t>(stop - line));
        line = stop;
        while (line < end && *line == '\r') {
            ++line;
        }
        if (line < end && *line == '\n') {
            ++line;
        }
    }
    json.EndArray();
}

void WriteAnalysis(JsonWriter& json, const RunContext& run) {
    const AnalysisResult& analysis = run.Analysis;
    json.Key("stageCodes");
    json.BeginObject();
    json.NumberField("installation", analysis.InstallResult);
    json.NumberField("files", analysis.FilesResult);
    json.NumberField("configuration", analysis.ConfigResult);
    json.EndObject();
    RunState state = StateOfRun(run);
    json.StringField("state", Str(RunStateName(state)));
    json.BoolField("healthy", state == RunState::Healthy);
    Prognosis prognosis = PrognosisFor(analysis);
    json.Key("prognosis");
    json.BeginObject();
    json.StringField("name", Str(PrognosisNameOf(run)));
    json.StringField("diagnosis", TableText(prognosis.diagnosisId));
    json.StringField("advice", TableText(prognosis.adviceId));
    json.EndObject();
}

void WriteProduct(JsonWriter& json, const RunContext& run) {
    const RunFacts& facts = run.Facts;
    json.Key("product");
    json.BeginObject();
    json.BoolField("installed", run.Analysis.InstallResult != InstallCode::NotInstalled);
    json.StringField("installFolder", run.InstallFolder);
    json.NumberField("build", facts.Build);
    json.StringField("description", facts.Description);
    json.StringField("configFolder", run.ConfigFolder);
    json.StringField("configName", run.ConfigName);
    json.Key("configVersion");
    if (facts.ConfigVersionRead) {
        json.Number(facts.ConfigVersion);
    } else {
        json.Null();
    }
    json.EndObject();
}

void WriteLibraries(JsonWriter& json, const StrList& rows) {
    static const char* const Fields[RunFacts::LibraryFields] = {"name", "version", "minimum",
                                                                "status"};
    json.Key("systemLibraries");
    json.BeginArray();
    for (int32_t row = 0; row + RunFacts::LibraryFields <= rows.Count();
         row += RunFacts::LibraryFields) {
        json.BeginObject();
        for (int32_t field = 0; field < RunFacts::LibraryFields; ++field) {
            json.Key(Fields[field]);
            json.String(rows.GetAt(row + field));
        }
        json.EndObject();
    }
    json.EndArray();
}

// A file that opened has a version (empty when it carries none); one that did not, an error.
void WriteProductFiles(JsonWriter& json, const StrList& rows) {
    json.Key("productFiles");
    json.BeginArray();
    for (int32_t row = 0; row + RunFacts::FileFields <= rows.Count(); row += RunFacts::FileFields) {
        json.BeginObject();
        json.StringField("path", rows.GetAt(row));
        Str error = rows.GetAt(row + 2);
        if (error.IsEmpty()) {
            json.StringField("version", rows.GetAt(row + 1));
        } else {
            json.StringField("error", error);
            json.NumberField("errorCode", strtoul(rows.GetAt(row + 3).Text(), nullptr, 10));
        }
        json.EndObject();
    }
    json.EndArray();
}

void WriteConfiguration(JsonWriter& json, const RunFacts& facts) {
    json.Key("configuration");
    json.BeginObject();
    WriteStrings(json, "events", facts.Events);
    WriteStrings(json, "alertSchemes", facts.AlertSchemes);
    WriteStrings(json, "sites", facts.Sites);
    json.EndObject();
}

void WriteTraceLogs(JsonWriter& json, const StrList& rows) {
    json.Key("traceLogs");
    json.BeginArray();
    for (int32_t row = 0; row + RunFacts::TraceLogFields <= rows.Count();
         row += RunFacts::TraceLogFields) {
        json.BeginObject();
        json.StringField("path", rows.GetAt(row));
        json.Key("lines");
        WriteLines(json, rows.GetAt(row + 1));
        json.EndObject();
    }
    json.EndArray();
}

void WriteStages(JsonWriter& json, const RunContext& run) {
    json.Key("stages");
    json.BeginObject();
    for (FindingStage stage :
         {FindingStage::Installation, FindingStage::Files, FindingStage::Configuration}) {
        json.StringField(StageName(stage), Str(StageStateName(StateOf(run, stage))));
    }
    json.EndObject();
}

// Only the parts of the evidence that prove this finding.
void WriteEvidence(JsonWriter& json, const Evidence& evidence) {
    json.Key("evidence");
    json.BeginObject();
    const struct {
        const char* key;
        const Str& value;
    } texts[] = {{"path", evidence.Path},
                 {"value", evidence.Value},
                 {"found", evidence.Found},
                 {"required", evidence.Required},
                 {"errorText", evidence.ErrorText}};
    for (const auto& text : texts) {
        if (!text.value.IsEmpty()) {
            json.StringField(text.key, text.value);
        }
    }
    if (!evidence.ErrorText.IsEmpty()) {
        json.NumberField("errorCode", evidence.ErrorCode);
    }
    json.EndObject();
}

void WriteFindings(JsonWriter& json, const FindingList& findings) {
    json.Key("findings");
    json.BeginArray();
    for (int32_t i = 0; i < findings.Count(); ++i) {
        const Finding& finding = findings.At(i);
        json.BeginObject();
        json.StringField("id", Str(FindingIdName(finding.Id)));
        json.StringField("stage", Str(StageName(StageOf(finding.Id))));
        json.StringField("severity", Str(SeverityName(SeverityOf(finding.Id))));
        json.StringField("title", finding.Title);
        WriteEvidence(json, finding.Proof);
        json.StringField("fix", finding.Fix);
        json.EndObject();
    }
    json.EndArray();
}

void WriteMachine(JsonWriter& json, const RunContext& run) {
    const RunFacts& facts = run.Facts;
    json.StringField("computer", facts.Computer);
    json.StringField("user", facts.User);
    json.StringField("systemVersion", facts.SystemVersion);
    json.BoolField("systemAccount", run.SystemAccount);
}

} // namespace

Str BuildJsonReport(const RunContext& run, const Str& reportText) {
    JsonWriter json;
    WriteJsonReport(json, run, reportText);
    Str document = json.Text();
    document.Append("\n");
    return document;
}

void WriteJsonReport(JsonWriter& json, const RunContext& run, const Str& reportText) {
    json.BeginObject();
    json.NumberField("schemaVersion", SchemaVersion);
    json.StringField("doctorVersion", Str(VLD_VERSION_TEXT));
    json.StringField("time", run.Facts.Time);
    WriteMachine(json, run);
    WriteAnalysis(json, run);
    WriteStages(json, run);
    WriteFindings(json, run.Findings);
    WriteProduct(json, run);
    WriteLibraries(json, run.Facts.Libraries);
    WriteProductFiles(json, run.Facts.ProductFiles);
    WriteConfiguration(json, run.Facts);
    WriteTraceLogs(json, run.Facts.TraceLogs);
    json.StringField("report", reportText);
    json.EndObject();
}
