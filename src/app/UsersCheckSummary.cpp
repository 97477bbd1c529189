#include "app/CheckSummary.h"
#include "app/UsersOutput.h"

namespace {

int32_t ProblemsOf(const RunContext& run) {
    return run.Findings.CountOf(Severity::Error) + run.Findings.CountOf(Severity::Warning);
}

Str ClosingLine(const EveryUserRun& run) {
    int32_t problems = 0;
    int32_t withProduct = 0;
    for (int32_t i = 0; i < run.Count(); ++i) {
        const UserRun& user = run.At(i);
        problems += user.HasProduct() ? ProblemsOf(*user.Report) : 0;
        withProduct += user.HasProduct() ? 1 : 0;
    }
    int32_t read = run.Count() - run.UnreadCount();
    Str line;
    line.Format("%d user%s checked, %d with Velmont: ", static_cast<int>(read),
                read == 1 ? "" : "s", static_cast<int>(withProduct));
    Str part;
    if (problems == 0) {
        part.Assign("no problems found");
    } else {
        part.Format("%d problem%s found", static_cast<int>(problems), problems == 1 ? "" : "s");
    }
    line.Append(part);
    if (run.UnreadCount() > 0) {
        part.Format(", %d profile%s not read", static_cast<int>(run.UnreadCount()),
                    run.UnreadCount() == 1 ? "" : "s");
        line.Append(part);
    }
    line.Append(
        ". The full report: VLDoctor.com /report /users (or /json /users for programs).\r\n");
    return line;
}

} // namespace

Str BuildUsersCheckSummary(const EveryUserRun& run, bool unicodeMarks) {
    Str summary;
    Str line;
    for (int32_t i = 0; i < run.Count(); ++i) {
        const UserRun& user = run.At(i);
        if (user.Report) {
            line.Format("User '%s' (%s)\r\n", user.Profile.Account.Text(), user.Profile.Sid.Text());
            summary.Append(line);
            summary.Append(BuildCheckBlock(*user.Report, unicodeMarks));
            summary.Append("\r\n");
        }
    }
    for (int32_t i = 0; i < run.Count(); ++i) {
        const UserRun& user = run.At(i);
        if (!user.Report) {
            line.Format("Not read: '%s' (%s), profile '%s': %s\r\n", user.Profile.Account.Text(),
                        user.Profile.Sid.Text(), user.Profile.ProfilePath.Text(),
                        UnreadReason(user).Text());
            summary.Append(line);
        }
    }
    if (run.UnreadCount() > 0) {
        summary.Append("\r\n");
    }
    summary.Append(ClosingLine(run));
    return summary;
}
