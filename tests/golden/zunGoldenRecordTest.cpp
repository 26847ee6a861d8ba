// The golden record: every ray, mark and answer of the golden scenes, bit for
// bit, against tests/golden/record.txt. The record is written only on
// request (scripts/golden.sh):
//
//   golden_tests --regenerate=FILE
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "zunGoldenRecord.h"
#include "zunGoldenStandIn.h"
#include "zunTestFixture.h"

namespace {

using GoldenRecord = zunTest;

TEST_F(GoldenRecord, EveryRayMarkAndAnswerAsRecorded)
{
    std::vector<std::string> expected;
    ASSERT_TRUE(zunReadGoldenRecord(ZUNAI_GOLDEN_RECORD, expected)) << "cannot read " << ZUNAI_GOLDEN_RECORD;
    const std::string difference = zunFirstGoldenDifference(expected, zunGoldenLinesOnStandIn(ZUNAI_SAMPLE));
    EXPECT_TRUE(difference.empty()) << difference;
}

} // namespace

int main(int argc, char** argv)
{
    const char* option = "--regenerate=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0) {
            const char* file = argv[i] + std::strlen(option);
            if (!zunWriteGoldenRecord(file, zunGoldenLinesOnStandIn(ZUNAI_SAMPLE))) {
                std::cerr << "cannot write " << file << "\n";
                return 1;
            }
            return 0;
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
