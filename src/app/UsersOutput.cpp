#include "app/UsersOutput.h"

#include "base/SystemErrorText.h"
#include "diagnosis/Finding.h"

namespace {

// The account, its SID and its profile, as every output names a user.
Str UserTitle(const UserRun& user) {
    Str title;
    title.Format("'%s' (%s), profile '%s'", user.Profile.Account.Text(), user.Profile.Sid.Text(),
                 user.Profile.ProfilePath.Text());
    return title;
}

} // namespace

Str UnreadReason(const UserRun& user) {
    Str reason;
    reason.Format("%s (%u)", WithoutLineEnd(SystemErrorText(user.Error)).Text(),
                  static_cast<unsigned>(user.Error));
    return reason;
}

const char* HiveSourceName(HiveSource source) {
    return source == HiveSource::Loaded ? "loaded"
           : source == HiveSource::File ? "file"
                                        : "not-read";
}

Str BuildUsersReport(const EveryUserRun& run) {
    Str report;
    Str line;
    for (int32_t i = 0; i < run.Count(); ++i) {
        const UserRun& user = run.At(i);
        if (user.Report) {
            line.Format("==== User %s ====\r\n", UserTitle(user).Text());
            report.Append(line);
            report.Append(user.Report->Text());
            report.Append("\r\n");
        }
    }
    report.Append("==== Profiles not checked ====\r\n");
    if (run.UnreadCount() == 0) {
        report.Append("None: every profile was read.\r\n");
    }
    for (int32_t i = 0; i < run.Count(); ++i) {
        const UserRun& user = run.At(i);
        if (!user.Report) {
            line.Format("%s: %s\r\n", UserTitle(user).Text(), UnreadReason(user).Text());
            report.Append(line);
        }
    }
    return report;
}
