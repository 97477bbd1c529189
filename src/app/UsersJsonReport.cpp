#include "app/JsonReport.h"
#include "app/UsersOutput.h"
#include "base/JsonWriter.h"
#include "resources/Version.h"

namespace {

const int64_t SchemaVersion = 1;

void WriteUser(JsonWriter& json, const UserRun& user) {
    json.BeginObject();
    json.StringField("account", user.Profile.Account);
    json.StringField("sid", user.Profile.Sid);
    json.StringField("profilePath", user.Profile.ProfilePath);
    json.StringField("hive", Str(HiveSourceName(user.Source)));
    if (user.Report) {
        json.Key("report");
        WriteJsonReport(json, *user.Report, user.Report->Text());
    } else {
        json.StringField("error", UnreadReason(user));
        json.NumberField("errorCode", user.Error);
    }
    json.EndObject();
}

} // namespace

// The machine's facts as the Doctor's own account sees them, then each user.
Str BuildUsersJsonReport(const EveryUserRun& run) {
    const RunFacts& machine = run.DoctorAccount.Facts;
    JsonWriter json;
    json.BeginObject();
    json.NumberField("schemaVersion", SchemaVersion);
    json.StringField("doctorVersion", Str(VLD_VERSION_TEXT));
    json.StringField("time", machine.Time);
    json.StringField("computer", machine.Computer);
    json.StringField("user", machine.User);
    json.StringField("systemVersion", machine.SystemVersion);
    json.BoolField("systemAccount", run.DoctorAccount.SystemAccount);
    json.Key("users");
    json.BeginArray();
    for (int32_t i = 0; i < run.Count(); ++i) {
        WriteUser(json, run.At(i));
    }
    json.EndArray();
    json.EndObject();
    Str document = json.Text();
    document.Append("\n");
    return document;
}
