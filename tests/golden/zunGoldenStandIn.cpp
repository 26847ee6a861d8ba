// The stand-in host's side of the golden scenes.
#include "zunGoldenStandIn.h"

#include <filesystem>

#include "standin/zunStandIn.h"
#include "zunGoldenScenes.h"

namespace {

namespace fs = std::filesystem;

std::string sample;
fs::path previousDir;
std::vector<std::string>* output = nullptr;

int loadSampleLevel()
{
    return zunStandIn::loadLevel((fs::path(sample) / "data" / "levels" / "courtyard.obj").string().c_str()) ? 1 : 0;
}

int enterBin(const fs::path& game)
{
    std::error_code error;
    previousDir = fs::current_path(error);
    fs::current_path(game / "bin", error);
    return error ? 0 : 1;
}

int enterScratchBin()
{
    std::error_code error;
    fs::create_directories(fs::path(ZUNAI_GOLDEN_SCRATCH) / "bin", error);
    fs::create_directories(fs::path(ZUNAI_GOLDEN_SCRATCH) / "data" / "memory" / "levels", error);
    return error ? 0 : enterBin(ZUNAI_GOLDEN_SCRATCH);
}

void leaveBin()
{
    std::error_code ignored;
    fs::current_path(previousDir, ignored);
}

void setHook(zunGoldenHook hook)
{
    if (hook)
        zunStandIn::setHitScan(hook);
    else
        zunStandIn::setHitScan({});
}

void getRay(int index, zunGoldenRay& ray)
{
    const zunStandIn::Ray& r = zunStandIn::rays()[static_cast<std::size_t>(index)];
    ray = zunGoldenRay{r.origin, r.direction, r.length, r.result, r.hit};
}

void getLine(int index, zunGoldenLine& line)
{
    const zunStandIn::Line& l = zunStandIn::lines()[static_cast<std::size_t>(index)];
    line = zunGoldenLine{l.from, l.to, l.colour};
}

} // namespace

std::vector<std::string> zunGoldenLinesOnStandIn(const std::string& sampleDir)
{
    std::vector<std::string> lines;
    sample = sampleDir;
    output = &lines;
    const zunGoldenHost host{
        zunStandIn::reset,
        zunStandIn::addBox,
        zunStandIn::addTriangle,
        loadSampleLevel,
        [] { return enterBin(sample); },
        enterScratchBin,
        leaveBin,
        setHook,
        [](int on) { zunStandIn::recordRays(on != 0); },
        [] { return static_cast<int>(zunStandIn::rays().size()); },
        getRay,
        [] { return static_cast<int>(zunStandIn::lines().size()); },
        getLine,
        zunStandIn::clearCapture,
        [](const char* line) { output->push_back(line); },
    };
    zunPlayGoldenScenes(host);
    zunStandIn::reset();
    output = nullptr;
    return lines;
}
