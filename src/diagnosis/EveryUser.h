#pragma once

#include "base/UserHive.h"
#include "base/UserProfiles.h"
#include "diagnosis/MemoryReport.h"

#include <memory>
#include <vector>

// One user's run in a run over every user: their profile, where their hive came from, and their
// own diagnosis, or the system's reason their hive could not be read.
struct UserRun {
    UserProfile Profile;
    HiveSource Source = HiveSource::NotRead;
    uint32_t Error = 0;
    std::unique_ptr<MemoryReport> Report; // null when the hive was not read

    bool HasProduct() const;
};

// The diagnosis of each person who has a profile on the machine, each with that user's own
// settings and environment, and the machine's facts as the Doctor's own account sees them.
class EveryUserRun {
public:
    explicit EveryUserRun(PrivateHiveLoad privateLoad = RegLoadAppKeyA)
        : privateLoad(privateLoad) {}

    void Run();
    int32_t Count() const { return static_cast<int32_t>(users.size()); }
    const UserRun& At(int32_t index) const { return *users[static_cast<size_t>(index)]; }
    int32_t UnreadCount() const;
    bool AnyProduct() const;
    bool AnyProblem() const; // a user's diagnosis found one, or a hive could not be read

    MemoryReport DoctorAccount; // the header of the Doctor's own account: computer, system, time

private:
    void RunUser(const UserProfile& profile);

    PrivateHiveLoad privateLoad;
    MachineReadings machine;
    std::vector<std::unique_ptr<UserRun>> users;
};
