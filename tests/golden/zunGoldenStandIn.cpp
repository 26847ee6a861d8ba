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

int enterSampleBin()
{
    std::error_code error;
    previousDir = fs::current_path(error);
    fs::current_path(fs::path(sample) / "bin", error);
    return error ? 0 : 1;
}

void leaveSampleBin()
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
        enterSampleBin,
        leaveSampleBin,
        setHook,
        [](int on) { zunStandIn::recordRays(on != 0); },
        [] { return static_cast<int>(zunStandIn::rays().size()); },
        getRay,
        zunStandIn::clearCapture,
        [](const char* line) { output->push_back(line); },
    };
    zunPlayGoldenScenes(host);
    zunStandIn::reset();
    output = nullptr;
    return lines;
}
