// The golden record: every ray, mark and answer of the golden scenes, played
// on the stand-in host, bit for bit against tests/golden/record.txt. The
// record is written only on request (scripts/golden.sh):
//
//   golden_tests --regenerate=FILE
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "standin/zunStandIn.h"
#include "zunGoldenScenes.h"
#include "zunTestFixture.h"

namespace {

namespace fs = std::filesystem;

const char header[] =
    "# The golden record of zunAIEngine: every ray, mark and answer of the scenes in\n"
    "# tests/golden/zunGoldenScenes.cpp, floats as bit patterns (x y z w for vectors).\n"
    "# ray INDEX ORIGIN DIRECTION LENGTH RESULT HIT (x y z of each vector)\n"
    "# Written by scripts/golden.sh only; every build must reproduce it bit for bit.\n";

// --- the scenes on the stand-in's controls ---------------------------------------

fs::path previousDir;
std::vector<std::string> played;

int enterBin(const fs::path& game)
{
    std::error_code error;
    previousDir = fs::current_path(error);
    fs::current_path(game / "bin", error);
    return error ? 0 : 1;
}

// The record's lines as the scenes write them.
const std::vector<std::string>& playOnStandIn()
{
    played.clear();
    const zunGoldenHost host{
        zunStandIn::reset,
        zunStandIn::addBox,
        zunStandIn::addTriangle,
        [] { return zunStandIn::loadLevel(ZUNAI_SAMPLE "/data/levels/courtyard.obj") ? 1 : 0; },
        [] { return enterBin(ZUNAI_SAMPLE); },
        [] {
            std::error_code error;
            fs::create_directories(fs::path(ZUNAI_GOLDEN_SCRATCH) / "bin", error);
            fs::create_directories(fs::path(ZUNAI_GOLDEN_SCRATCH) / "data" / "memory" / "levels", error);
            return error ? 0 : enterBin(ZUNAI_GOLDEN_SCRATCH);
        },
        [] {
            std::error_code ignored;
            fs::current_path(previousDir, ignored);
        },
        [](zunGoldenHook hook) { zunStandIn::setHitScan(hook); },   // a null hook makes an empty function
        [](int on) { zunStandIn::recordRays(on != 0); },
        [] { return static_cast<int>(zunStandIn::rays().size()); },
        [](int index, zunGoldenRay& ray) {
            const zunStandIn::Ray& r = zunStandIn::rays()[static_cast<std::size_t>(index)];
            ray = zunGoldenRay{r.origin, r.direction, r.length, r.result, r.hit};
        },
        [] { return static_cast<int>(zunStandIn::lines().size()); },
        [](int index, zunGoldenLine& line) {
            const zunStandIn::Line& l = zunStandIn::lines()[static_cast<std::size_t>(index)];
            line = zunGoldenLine{l.from, l.to, l.colour};
        },
        zunStandIn::clearCapture,
        [](const char* line) { played.push_back(line); },
    };
    zunPlayGoldenScenes(host);
    zunStandIn::reset();
    return played;
}

using GoldenRecord = zunTest;

// Stops at the first entry that differs, naming the scene and step it belongs to.
TEST_F(GoldenRecord, EveryRayMarkAndAnswerAsRecorded)
{
    std::ifstream record(ZUNAI_GOLDEN_RECORD, std::ios::binary);
    ASSERT_TRUE(record) << "cannot read " << ZUNAI_GOLDEN_RECORD;
    const std::vector<std::string>& lines = playOnStandIn();
    std::string scene = "(none)", step = "(none)";
    std::size_t entry = 0;
    for (std::string line; std::getline(record, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where =
            "entry " + std::to_string(entry + 1) + " (scene \"" + scene + "\", step \"" + step + "\")";
        ASSERT_LT(entry, lines.size()) << "this build's record ends before " << where;
        ASSERT_EQ(lines[entry], line) << "the golden record differs at its " << where;
        if (line.compare(0, 6, "scene ") == 0)
            scene = line.substr(6);
        else if (line.compare(0, 5, "step ") == 0)
            step = line.substr(5);
        ++entry;
    }
    EXPECT_EQ(entry, lines.size()) << "this build's record goes on past the recorded one";
}

} // namespace

int main(int argc, char** argv)
{
    const char* option = "--regenerate=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) != 0)
            continue;
        std::ofstream out(argv[i] + std::strlen(option), std::ios::binary);
        out << header;
        for (const std::string& line : playOnStandIn())
            out << line << '\n';
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", argv[i] + std::strlen(option));
            return 1;
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
