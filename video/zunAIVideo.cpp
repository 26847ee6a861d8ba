#include "video/zunAIVideo.h"

#include <cmath>
#include <limits>

#include "engine/zunSinCos.h"
#include "engine/zunVector.h"
#include "host/zunRender.h"

static_assert(sizeof(cVector4) == 4 * sizeof(float), "the ray test takes a cVector4 as four floats");

namespace {

const float sweepLength = 200.0f;
const float fullCircle = 6.2831855f;
const float halfCircle = 3.1415927f;
const float fanTurn = 0.01f;
const float sampleScale = 0.05f;

float (*asFloats(cVector4& v))[4] { return reinterpret_cast<float (*)[4]>(&v.x); }

int hitScan(cVector4& origin, cVector4& direction, float length, cVector4& hit)
{
    unsigned long a = 0;
    unsigned long b = 0;
    unsigned long c = 0;
    return zunHitScan(asFloats(origin), asFloats(direction), length, asFloats(hit), &a, b, c, 0);
}

// Whether `time` truncated toward zero is even. Finite times beyond the int
// range are whole even numbers already (floats that large are multiples of
// 256); NaN and infinities are not numbers of ticks and never sweep.
int isEvenTick(float time)
{
    if (!(std::fabs(time) < 2147483648.0f))
        return std::isfinite(time) ? 1 : 0;
    return static_cast<int>(time) % 2 == 0;
}

// meanDistance * 0.05 + 1, truncated toward zero; 0 for a sweep without hits
// (NaN mean). A host ray test reporting points beyond int range saturates.
int spaceSample(float meanDistance)
{
    if (std::isnan(meanDistance))
        return 0;
    float sample = meanDistance * sampleScale + 1.0f;
    if (!(sample < 2147483648.0f))
        return std::numeric_limits<int>::max();
    if (!(sample > -2147483648.0f))
        return std::numeric_limits<int>::min();
    return static_cast<int>(sample);
}

}  // namespace

zunAIVideo::zunAIVideo()
    : lastRays(0),
      lastHits(0),
      meanDistance(0.0f),
      numRays(16),
      startAngle(0.0f),
      spaceFirst(0),
      spaceNext(0),
      spaceCount(0),
      spaceSum(0)
{
    for (int i = 0; i < spaceWindow; ++i)
        spaceSamples[i] = 0;
}

zunAIVideo::~zunAIVideo() {}

zunAIVideo::zunAIVideo(const zunAIVideo& other)
    : lastRays(other.lastRays),
      lastHits(other.lastHits),
      meanDistance(other.meanDistance),
      numRays(other.numRays),
      startAngle(other.startAngle),
      spaceFirst(other.spaceFirst),
      spaceNext(other.spaceNext),
      spaceCount(other.spaceCount),
      spaceSum(other.spaceSum)
{
    for (int i = 0; i < maxHitPoints; ++i)
        hitPoints[i] = zunVector(other.hitPoints[i].x, other.hitPoints[i].y, other.hitPoints[i].z);
    for (int i = 0; i < spaceWindow; ++i)
        spaceSamples[i] = other.spaceSamples[i];
}

zunAIVideo& zunAIVideo::operator=(const zunAIVideo& other)
{
    lastRays = other.lastRays;
    lastHits = other.lastHits;
    meanDistance = other.meanDistance;
    for (int i = 0; i < maxHitPoints; ++i)
        hitPoints[i] = other.hitPoints[i];
    numRays = other.numRays;
    startAngle = other.startAngle;
    spaceFirst = other.spaceFirst;
    spaceNext = other.spaceNext;
    spaceCount = other.spaceCount;
    spaceSum = other.spaceSum;
    for (int i = 0; i < spaceWindow; ++i)
        spaceSamples[i] = other.spaceSamples[i];
    return *this;
}

int zunAIVideo::vtlUpdate(float time, cVector4& position)
{
    if (!isEvenTick(time))
        return 1;
    doCircularSweep(position, 0);
    addSpaceSample(spaceSample(meanDistance));

    float angle = startAngle + fanTurn;
    startAngle = angle > halfCircle ? angle - halfCircle : angle;
    return 1;
}

void zunAIVideo::addSpaceSample(int sample)
{
    if (spaceCount >= 1 && spaceFirst == spaceNext)
        spaceSum -= spaceSamples[spaceFirst];
    spaceSamples[spaceNext] = sample;
    spaceSum += sample;
    spaceNext = (spaceNext + 1) % spaceWindow;
    ++spaceCount;
    if (spaceCount > spaceWindow) {
        spaceFirst = (spaceFirst + 1) % spaceWindow;
        spaceCount = spaceWindow;
    }
}

int zunAIVideo::getSpace()
{
    if (spaceCount == 0)
        return 1;
    std::int64_t mean = spaceSum / spaceCount;
    if (mean > 6)
        return 6;
    return static_cast<int>(mean);
}

int zunAIVideo::isBlockedVelocity(cVector4& position, cVector4& velocity, float range, int)
{
    cVector4 direction = zunVector(velocity.x, velocity.y, velocity.z);
    direction.normalize();
    cVector4 hit = zunVector(0.0f, 0.0f, 0.0f);
    return hitScan(position, direction, range, hit) ? 1 : 0;
}

void zunAIVideo::doCircularSweep(cVector4& origin, int storeHits)
{
    float step = numRays > 0 ? fullCircle / static_cast<float>(numRays) : 0.0f;
    float angle = startAngle;
    float total = 0.0f;
    int hits = 0;
    cVector4 hit = zunVector(0.0f, 0.0f, 0.0f);

    for (int i = 0; i < numRays; ++i) {
        float sine, cosine;
        zunSinCos(angle, sine, cosine);
        cVector4 direction = zunVector(cosine, sine, 0.0f);
        if (hitScan(origin, direction, sweepLength, hit)) {
            // Beyond the table's 32 entries hits still count, unstored.
            if (storeHits && hits < maxHitPoints)
                hitPoints[hits] = hit;
            ++hits;
            total = total + (hit - origin).len();
        }
        angle = angle + step;
    }

    lastRays = numRays;
    lastHits = hits;
    // The mean of no hits is 0 / 0: not a number.
    meanDistance = hits > 0 ? total / static_cast<float>(hits) : std::numeric_limits<float>::quiet_NaN();
}
