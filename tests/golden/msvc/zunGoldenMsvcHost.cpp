// The golden scenes played by a host of the MSVC ABI, as a game built with
// Microsoft's compiler would drive the module: linked against the MSVC-ABI
// zunAIEngine.dll, zunCoreEngine.dll and zunRenderEngine.dll, with the
// stand-in's controls reached through zunStandInBridge.dll. The record's
// lines go to standard output; the exit status is 0 when every scene played
// and every line was written.
//
// There is no C runtime on this side: the program starts at
// zunGoldenHostMain and takes what it needs of the system from kernel32.
#include "standin/zunStandInBridge.h"
#include "zunGoldenScenes.h"

extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long size, unsigned long* written,
                                              void* overlapped);
__declspec(dllimport) unsigned long __stdcall GetCurrentDirectoryA(unsigned long size, char* buffer);
__declspec(dllimport) int __stdcall SetCurrentDirectoryA(const char* path);
__declspec(dllimport) int __stdcall CreateDirectoryA(const char* path, void* security);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int code);
}

namespace {

// --- output: a line at a time ---------------------------------------------------

const unsigned long standardOutput = static_cast<unsigned long>(-11);
bool outputFailed = false;

void writeLine(const char* line)
{
    char buffer[512];   // longer than any line of the record
    unsigned long length = 0, written = 0;
    for (; line[length] && length + 1 < sizeof buffer; ++length)
        buffer[length] = line[length];
    buffer[length++] = '\n';
    if (!WriteFile(GetStdHandle(standardOutput), buffer, length, &written, nullptr) || written != length)
        outputFailed = true;
}

// --- the stand-in's controls, vectors as four floats -------------------------

cVector4 vectorOf(const float* f)
{
    cVector4 v(f[0], f[1], f[2]);
    v.w = f[3];
    return v;
}

void getRay(int index, zunGoldenRay& ray)
{
    zunBridgeRay r;
    zunBridgeGetRay(index, &r);
    ray = zunGoldenRay{vectorOf(r.origin), vectorOf(r.direction), r.length, r.result, vectorOf(r.hit)};
}

void getLine(int index, zunGoldenLine& line)
{
    zunBridgeLine l;
    zunBridgeGetLine(index, &l);
    line = zunGoldenLine{vectorOf(l.from), vectorOf(l.to), l.colour};
}

zunGoldenHook sceneHook = nullptr;

int callSceneHook(const float* origin, const float* direction, float length, float* hit)
{
    cVector4 point = vectorOf(hit);
    const int result = sceneHook(vectorOf(origin), vectorOf(direction), length, point);
    const float back[4] = {point.x, point.y, point.z, point.w};
    for (int i = 0; i < 4; ++i)
        hit[i] = back[i];
    return result;
}

void setHook(zunGoldenHook hook)
{
    sceneHook = hook;
    zunBridgeSetHook(hook ? callSceneHook : nullptr);
}

// --- the sample game ----------------------------------------------------------

char previousDirectory[1024];

int enterBin(const char* bin)
{
    const unsigned long length = GetCurrentDirectoryA(sizeof previousDirectory, previousDirectory);
    if (length == 0 || length >= sizeof previousDirectory)
        return 0;
    return SetCurrentDirectoryA(bin) ? 1 : 0;
}

// The scratch game folder, made level by level; folders already there are kept.
int enterScratchBin()
{
    const char* const folders[] = {ZUNAI_GOLDEN_SCRATCH, ZUNAI_GOLDEN_SCRATCH "/bin", ZUNAI_GOLDEN_SCRATCH "/data",
                                   ZUNAI_GOLDEN_SCRATCH "/data/memory", ZUNAI_GOLDEN_SCRATCH "/data/memory/levels"};
    for (const char* folder : folders)
        CreateDirectoryA(folder, nullptr);
    return enterBin(ZUNAI_GOLDEN_SCRATCH "/bin");
}

} // namespace

extern "C" void zunGoldenHostMain()
{
    const zunGoldenHost host{
        zunBridgeReset,
        [](const cVector4& min, const cVector4& max) { zunBridgeAddBox(&min.x, &max.x); },
        [](const cVector4& a, const cVector4& b, const cVector4& c) { zunBridgeAddTriangle(&a.x, &b.x, &c.x); },
        [] { return zunBridgeLoadLevel(ZUNAI_SAMPLE "/data/levels/courtyard.obj"); },
        [] { return enterBin(ZUNAI_SAMPLE "/bin"); },
        enterScratchBin,
        [] { SetCurrentDirectoryA(previousDirectory); },
        setHook,
        zunBridgeRecordRays,
        zunBridgeRecordedRays,
        getRay,
        zunBridgeDrawnLines,
        getLine,
        zunBridgeClearCapture,
        writeLine,
    };
    ExitProcess(zunPlayGoldenScenes(host) && !outputFailed ? 0 : 1);
}
