#ifndef ZUN_AI_VIDEO_H
#define ZUN_AI_VIDEO_H

#include <cstdint>

#include "engine/zunModuleMemory.h"
#include "host/cVector4.h"
#include "host/zunExport.h"

// The vision sensor of one character. Every tick whose time, truncated
// toward zero, is even sweeps a horizontal fan of rays around the character,
// turns the mean hit distance into a free-space sample and keeps the last 20
// samples; getSpace answers their mean, capped at 6. The fan turns by 0.01
// radian per sweep. Nothing is allocated after construction.
class ZUNAI_API zunAIVideo {
public:
    enum { maxHitPoints = 32, spaceWindow = 20 };

    int lastRays;                          // rays cast by the last sweep
    int lastHits;                          // of which hit
    float meanDistance;                    // mean hit distance of the last sweep; NaN without hits
    cVector4 hitPoints[maxHitPoints];      // hit points of the last sweep that stored them, in ray order
    int numRays;                           // rays per sweep
    float startAngle;                      // angle of the next sweep's first ray about the vertical
    int spaceFirst;                        // ring index of the oldest sample
    int spaceNext;                         // ring index of the next sample
    int spaceCount;                        // samples held, 0 to 20
    std::int64_t spaceSum;                 // sum of the samples held
    std::int64_t spaceSamples[spaceWindow];

    zunAIVideo();
    ~zunAIVideo();
    // Copies every field; the copy constructor sets w of each hit point to
    // 1.0, the assignment copies all four components.
    zunAIVideo(const zunAIVideo& other);
    zunAIVideo& operator=(const zunAIVideo& other);

    // One sensor tick at `time` around `position`. Answers 1.
    virtual int vtlUpdate(float time, cVector4& position);

    // The averaged free-space estimate, 0 to 6; 1 before the first sample.
    int getSpace();

    // 1 if a ray from `position` along `velocity` meets the level within
    // `range`, else 0. Reads no field of the sensor.
    int isBlockedVelocity(cVector4& position, cVector4& velocity, float range, int unused);

    ZUN_MODULE_ALLOCATED

protected:
    // One sweep of numRays rays of 200 units, the first at startAngle. With
    // storeHits nonzero the hit points go to hitPoints; hits beyond the 32nd
    // are counted but not stored.
    void doCircularSweep(cVector4& origin, int storeHits);

private:
    void addSpaceSample(int sample);
};

#endif
