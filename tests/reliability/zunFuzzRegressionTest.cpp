// Replays natively, through the fuzz targets' checks, the inputs that fuzzing
// kept (tests/reliability/inputs) and the seed corpora (tests/fuzz/corpus).

#include <filesystem>
#include <vector>

#include "zunFuzzChecks.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"

namespace {

namespace fs = std::filesystem;

using FuzzRegressionTest = zunTest;

void replay(const char* target, std::string (*check)(const std::uint8_t*, std::size_t))
{
    std::vector<fs::path> files;
    for (const char* folder : {ZUNAI_FUZZ_INPUTS, ZUNAI_FUZZ_CORPUS}) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(fs::path(folder) / target, ec))
            files.push_back(entry.path());
    }
    ASSERT_FALSE(files.empty()) << "no inputs for " << target;
    for (const fs::path& file : files) {
        const std::string bytes = zunReadFile(file);
        EXPECT_EQ(check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
            << file.filename().string();
    }
}

TEST_F(FuzzRegressionTest, PathDatabaseInputs)
{
    replay("database", zunFuzz::checkPathDatabase);
}

TEST_F(FuzzRegressionTest, LevelInputs)
{
    replay("level", zunFuzz::checkLevel);
}

} // namespace
