#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "records/ScoreChecksum.h"

namespace {

std::list<ScoreRecord> withScores(const std::vector<std::int32_t>& scores)
{
    std::list<ScoreRecord> records;
    for (const std::int32_t score : scores) {
        ScoreRecord record;
        record.score = score;
        records.push_back(record);
    }
    return records;
}

struct ChecksumCase {
    std::vector<std::int32_t> scores;
    std::uint32_t expected;
};

// The checksums the file format gives these scores. Scores such as 200 and
// 12345 hold bytes of 0x80 and above, which enter as signed chars.
TEST(ScoreChecksum, GivesTheFileFormatsValues)
{
    const ChecksumCase cases[] = {
        {{100}, 188882213u},
        {{0}, 390364361u},
        {{1000}, 339760666u},
        {{1000, 500}, 191944150u},
        {{1001, 500}, 4242392669u},
        {{500, 1000}, 4089336993u},
        {{12345, 6789, 300, 200, 100}, 4204050192u},
    };
    for (const ChecksumCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.scores));
        EXPECT_EQ(computeScoreChecksum(withScores(c.scores)), c.expected);
    }
}

TEST(ScoreChecksum, IgnoresEverythingButTheScores)
{
    std::list<ScoreRecord> records = withScores({1000, 500});
    const std::uint32_t before = computeScoreChecksum(records);
    records.front().name = L"改ざん";
    records.front().date = L"1999/1/1";
    records.back().lines = 999;
    EXPECT_EQ(computeScoreChecksum(records), before);
}

}  // namespace
