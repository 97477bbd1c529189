#include "report/Prognosis.h"

#include "base/Str.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    AnalysisResult result;
    Prognosis expected;
};

} // namespace

TEST(Prognosis, FirstMatchingRowWins) {
    const Prognosis Healthy = {IDS_HEALTHY_DIAGNOSIS, IDS_HEALTHY_ADVICE};
    const Prognosis Damaged = {IDS_DAMAGED_DIAGNOSIS, IDS_DAMAGED_ADVICE};
    const Prognosis Absent = {IDS_NOT_INSTALLED_DIAGNOSIS, IDS_NOT_INSTALLED_ADVICE};
    const Prognosis Component = {IDS_SYSTEM_COMPONENT_DIAGNOSIS, IDS_SYSTEM_COMPONENT_ADVICE};
    const Prognosis Unconfigured = {IDS_UNCONFIGURED_DIAGNOSIS, IDS_UNCONFIGURED_ADVICE};
    const Row rows[] = {
        {{0, 0, 0}, Healthy},   {{0, 0, 2}, Healthy},   {{0, 0, 3}, Unconfigured},
        {{0, 5, 3}, Component}, {{0, 5, 0}, Component}, {{0, 6, 0}, Damaged},
        {{0, 6, 3}, Damaged},   {{1, 0, 0}, Absent},    {{3, 0, 3}, Damaged},
        {{3, 0, 0}, Damaged},   {{6, 0, 0}, Damaged},   {{6, 5, 3}, Damaged},
    };
    for (const Row& row : rows) {
        Prognosis chosen = PrognosisFor(row.result);
        EXPECT_EQ(row.expected.diagnosisId, chosen.diagnosisId)
            << row.result.InstallResult << ":" << row.result.FilesResult << ":"
            << row.result.ConfigResult;
        EXPECT_EQ(row.expected.adviceId, chosen.adviceId);
    }
}

TEST(Prognosis, EveryChosenTextIsInTheStringTable) {
    for (unsigned id :
         {IDS_ABOUT_MENU, IDS_HEALTHY_DIAGNOSIS, IDS_HEALTHY_ADVICE, IDS_DAMAGED_DIAGNOSIS,
          IDS_DAMAGED_ADVICE, IDS_NOT_INSTALLED_DIAGNOSIS, IDS_NOT_INSTALLED_ADVICE,
          IDS_SYSTEM_COMPONENT_ADVICE, IDS_SYSTEM_COMPONENT_DIAGNOSIS, IDS_UNCONFIGURED_DIAGNOSIS,
          IDS_UNCONFIGURED_ADVICE}) {
        Str text;
        text.LoadText(id);
        EXPECT_GT(text.Length(), 10) << id;
    }
    Str about;
    about.LoadText(IDS_ABOUT_MENU);
    EXPECT_STREQ("&About VLDoctor...", about.Text());
}
