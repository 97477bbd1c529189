#include "app/JsonReport.h"

#include "base/JsonWriter.h"
#include "report/Prognosis.h"
#include "resources/Version.h"

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

// The lines of a copied text, without their line ends.
void WriteLines(JsonWriter& json, const Str& text) {
    json.BeginArray();
    const char* line = text.Text();
    const char* end = line + text.Length();
    while (line < end) {
        const char* next = line;
        while (next < end && *next != '\n') {
            ++next;
        }
        const char* stop = next > line && next[-1] == '\r' ? next - 1 : next;
        json.String(line, static_cast<int32_t>(stop - line));
        line = next < end ? next + 1 : end;
    }
    json.EndArray();
}

void WriteAnalysis(JsonWriter& json, const AnalysisResult& analysis) {
    json.Key("stageCodes");
    json.BeginObject();
    json.Key("installation");
    json.Number(analysis.InstallResult);
    json.Key("files");
    json.Number(analysis.FilesResult);
    json.Key("configuration");
    json.Number(analysis.ConfigResult);
    json.EndObject();
    json.Key("healthy");
    json.Bool(analysis.IsHealthy());
    Prognosis prognosis = PrognosisFor(analysis);
    json.Key("prognosis");
    json.BeginObject();
    json.Key("name");
    json.String(Str(PrognosisName(prognosis)));
    json.Key("diagnosis");
    json.String(TableText(prognosis.diagnosisId));
    json.Key("advice");
    json.String(TableText(prognosis.adviceId));
    json.EndObject();
}

void WriteProduct(JsonWriter& json, const RunContext& run) {
    const RunFacts& facts = run.Facts;
    json.Key("product");
    json.BeginObject();
    json.Key("installed");
    json.Bool(run.Analysis.InstallResult != InstallCode::NotInstalled);
    json.Key("installFolder");
    json.String(run.InstallFolder);
    json.Key("build");
    json.Number(facts.Build);
    json.Key("description");
    json.String(facts.Description);
    json.Key("configFolder");
    json.String(run.ConfigFolder);
    json.Key("configName");
    json.String(run.ConfigName);
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
        json.Key("path");
        json.String(rows.GetAt(row));
        Str error = rows.GetAt(row + 2);
        json.Key(error.IsEmpty() ? "version" : "error");
        json.String(error.IsEmpty() ? rows.GetAt(row + 1) : error);
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
        json.Key("path");
        json.String(rows.GetAt(row));
        json.Key("lines");
        WriteLines(json, rows.GetAt(row + 1));
        json.EndObject();
    }
    json.EndArray();
}

void WriteMachine(JsonWriter& json, const RunContext& run) {
    const RunFacts& facts = run.Facts;
    json.Key("computer");
    json.String(facts.Computer);
    json.Key("user");
    json.String(facts.User);
    json.Key("systemVersion");
    json.String(facts.SystemVersion);
    json.Key("systemAccount");
    json.Bool(run.SystemAccount);
}

} // namespace

Str BuildJsonReport(const RunContext& run, const Str& reportText) {
    JsonWriter json;
    json.BeginObject();
    json.Key("schemaVersion");
    json.Number(SchemaVersion);
    json.Key("doctorVersion");
    json.String(Str(VLD_VERSION_TEXT));
    json.Key("time");
    json.String(run.Facts.Time);
    WriteMachine(json, run);
    WriteAnalysis(json, run.Analysis);
    WriteProduct(json, run);
    WriteLibraries(json, run.Facts.Libraries);
    WriteProductFiles(json, run.Facts.ProductFiles);
    WriteConfiguration(json, run.Facts);
    WriteTraceLogs(json, run.Facts.TraceLogs);
    json.Key("report");
    json.String(reportText);
    json.EndObject();
    Str document = json.Text();
    document.Append("\n");
    return document;
}
