#ifndef ZUN_GOLDEN_SCENES_H
#define ZUN_GOLDEN_SCENES_H

// The golden record's scenes: terrain probes, walks, best-path choices,
// chained routes and sensor sweeps on scripted hooks, boxes and triangles,
// and the sample level; editing, drawing, saving and loading a database;
// memories and tasks. Playing them writes one line per scene, step, ray,
// drawn line, mark and answer, floats as their bit patterns, so that two
// builds agree only if every ray and every result agrees to the bit.
//
// The scenes use nothing of the standard library: what they need of the
// host's test controls comes through zunGoldenHost, and their lines go to a
// sink, so that any host of the module (of either Windows ABI) can play them.

#include "zunAI.h"

struct zunGoldenRay {
    cVector4 origin, direction;
    float length;
    int result;
    cVector4 hit;
};

struct zunGoldenLine {
    cVector4 from, to;
    unsigned long colour;
};

// A ray test hook: answers nonzero and fills x, y, z of `hit` on a hit.
using zunGoldenHook = int (*)(const cVector4& origin, const cVector4& direction, float length, cVector4& hit);

struct zunGoldenHost {
    void (*reset)();                                       // empty level, no hook, nothing captured
    void (*addBox)(const cVector4& min, const cVector4& max);
    void (*addTriangle)(const cVector4& a, const cVector4& b, const cVector4& c);
    int (*loadSampleLevel)();                              // the sample's courtyard; 0 when unreadable
    int (*enterSampleBin)();                               // the sample's bin/ the working directory; 0 on failure
    int (*enterScratchBin)();                              // the same for a writable game folder of bin/ and data/memory/levels/
    void (*leaveBin)();                                    // back to the working directory of before
    void (*setHook)(zunGoldenHook hook);                   // null: the level again
    void (*recordRays)(int on);
    int (*rayCount)();                                     // rays recorded since the last clear
    void (*getRay)(int index, zunGoldenRay& ray);
    int (*lineCount)();                                    // lines drawn since the last clear
    void (*getLine)(int index, zunGoldenLine& line);
    void (*clearCapture)();
    void (*writeLine)(const char* line);                   // one line of the record, without its newline
};

// Plays every scene through `host`. Answers 0 when a scene could not be set
// up (sample missing); the lines written so far say where.
int zunPlayGoldenScenes(const zunGoldenHost& host);

#endif
