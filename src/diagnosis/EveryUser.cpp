#include "diagnosis/EveryUser.h"

#include "base/UserContext.h"
#include "config/ConfigStore.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/ReportHeader.h"
#include "diagnosis/StageState.h"
#include "trace/TraceLog.h"

namespace {

// A user's own run is never the system account's: it reads that user's hive.
class UserReport : public MemoryReport {
public:
    bool UnderSystemAccount() const override { return false; }
};

} // namespace

bool UserRun::HasProduct() const {
    return Report && Report->Analysis.InstallResult != InstallCode::NotInstalled;
}

void EveryUserRun::Run() {
    users.clear();
    machine.Clear();
    DoctorAccount.Clear();
    DoctorAccount.Facts.Clear();
    DoctorAccount.Machine = &machine;
    WriteReportHeader(DoctorAccount);
    DoctorAccount.SystemAccount = DoctorAccount.UnderSystemAccount();
    ReleaseAbandonedMounts();
    UserProfileList profiles;
    profiles.Read();
    for (int32_t i = 0; i < profiles.Count(); ++i) {
        RunUser(profiles.At(i));
    }
}

// The hive is open only for the user's own pass, and released before the next user's.
void EveryUserRun::RunUser(const UserProfile& profile) {
    std::unique_ptr<UserRun> user(new UserRun);
    user->Profile = profile;
    UserHive hive(privateLoad);
    if (hive.Open(profile)) {
        Trace(1, "Reading the settings of '%s' (%s) from %s", profile.Account.Text(),
              profile.Sid.Text(),
              hive.MountName().IsEmpty() ? "HKEY_USERS" : hive.MountName().Text());
        UserContext context =
            UserContext::OfHive(hive.Root(), profile.Account, profile.ProfilePath);
        ActiveUserScope scope(context);
        // The installation check reads the user's configuration before the pass loads it.
        ConfigStore store;
        store.Load();
        user->Report.reset(new UserReport);
        user->Report->Machine = &machine;
        RunDiagnosisPass(*user->Report);
    }
    user->Source = hive.Source();
    user->Error = hive.Error();
    users.push_back(std::move(user));
}

int32_t EveryUserRun::UnreadCount() const {
    int32_t unread = 0;
    for (const auto& user : users) {
        unread += user->Report ? 0 : 1;
    }
    return unread;
}

bool EveryUserRun::AnyProduct() const {
    for (const auto& user : users) {
        if (user->HasProduct()) {
            return true;
        }
    }
    return false;
}

// A user's problems are what their own run's exit code would say.
bool EveryUserRun::AnyProblem() const {
    for (const auto& user : users) {
        if (!user->Report || StateOfRun(*user->Report) == RunState::Problems) {
            return true;
        }
    }
    return false;
}
