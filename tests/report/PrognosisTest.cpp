#include "report/Prognosis.h"

#include "base/Str.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    AnalysisResult result;
    unsigned diagnosis;
    unsigned advice;
};

} // namespace

TEST(Prognosis, FirstMatchingRowWins) {
    const Row rows[] = {
        {{0, 0, 0}, 102, 103}, {{0, 0, 2}, 102, 103}, {{0, 0, 3}, 116, 117}, {{0, 5, 3}, 115, 114},
        {{0, 5, 0}, 115, 114}, {{0, 6, 0}, 108, 109}, {{0, 6, 3}, 108, 109}, {{1, 0, 0}, 112, 113},
        {{3, 0, 3}, 108, 109}, {{3, 0, 0}, 108, 109}, {{6, 0, 0}, 108, 109}, {{6, 5, 3}, 108, 109},
    };
    for (const Row& row : rows) {
        Prognosis chosen = PrognosisFor(row.result);
        EXPECT_EQ(row.diagnosis, chosen.diagnosisId)
            << row.result.InstallResult << ":" << row.result.FilesResult << ":"
            << row.result.ConfigResult;
        EXPECT_EQ(row.advice, chosen.adviceId);
    }
}

TEST(Prognosis, EveryChosenTextIsInTheStringTable) {
    for (unsigned id : {101u, 102u, 103u, 108u, 109u, 112u, 113u, 114u, 115u, 116u, 117u}) {
        Str text;
        text.LoadText(id);
        EXPECT_GT(text.Length(), 10) << id;
    }
    Str about;
    about.LoadText(101);
    EXPECT_STREQ("&About VLDoctor...", about.Text());
}
