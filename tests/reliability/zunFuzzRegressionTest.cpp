// Replays, natively, the inputs that fuzzing kept (tests/reliability/inputs)
// and the fuzz seed corpora (tests/fuzz/corpus) through the checks of the
// fuzz targets.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "zunFuzzChecks.h"
#include "zunReliabilitySupport.h"

namespace {

namespace fs = std::filesystem;

// The files of `folder`, sorted.
std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> inputsOf(const char* target)
{
    std::vector<fs::path> files = filesIn(fs::path(ZUNAI_FUZZ_INPUTS) / target);
    for (const fs::path& seed : filesIn(fs::path(ZUNAI_FUZZ_CORPUS) / target))
        files.push_back(seed);
    return files;
}

class FuzzRegressionTest : public zunTest {};

template <class Check>
void replay(const char* target, Check check)
{
    const std::vector<fs::path> files = inputsOf(target);
    ASSERT_FALSE(files.empty()) << "no inputs for " << target;
    zunFuzz::FuzzGame game;
    for (const fs::path& file : files) {
        const std::string bytes = zunReadFile(file);
        const std::string why = check(game, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        EXPECT_EQ(why, "") << file.filename().string();
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
