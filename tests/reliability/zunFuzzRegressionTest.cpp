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

TEST_F(FuzzRegressionTest, KeptInputsAndSeedsOfEveryTarget)
{
    const struct {
        const char* folder;
        std::string (*check)(const std::uint8_t*, std::size_t);
    } targets[] = {{"database", zunFuzz::checkPathDatabase}, {"level", zunFuzz::checkLevel}};
    for (const auto& target : targets) {
        std::vector<fs::path> files;
        for (const char* folder : {ZUNAI_FUZZ_INPUTS, ZUNAI_FUZZ_CORPUS}) {
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(fs::path(folder) / target.folder, ec))
                files.push_back(entry.path());
        }
        EXPECT_FALSE(files.empty()) << "no inputs for " << target.folder;
        for (const fs::path& file : files) {
            const std::string bytes = zunReadFile(file);
            EXPECT_EQ(target.check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
                << file.filename().string();
        }
    }
}

} // namespace
