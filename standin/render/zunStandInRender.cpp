// The stand-in render library: zunHitScan against the level (or a test's
// hook), the debug outputs captured for inspection, and the controls of
// standin/zunStandIn.h that belong to the render side.

#include <algorithm>
#include <utility>

#include "host/zunRender.h"
#include "standin/core/zunStandInCore.h"
#include "standin/render/zunStandInLevel.h"
#include "standin/zunStandIn.h"

namespace zunStandIn {

namespace {

struct RenderState {
    Level level;
    HitScan hook;
    const cVector4 blank;   // (0, 0, 0, 1), copied where a vector is filled in
    bool recording = false;
    long long rayCount = 0;
    std::vector<Ray> rays;
    std::vector<Line> lines;
    std::vector<Text> texts;
};

// Created on first use, so that nothing depends on the order in which
// libraries run their static constructors.
RenderState& state() {
    static RenderState* s = new RenderState();
    return *s;
}

// The four floats as a cVector4, built from a copy of `blank`: a call of the
// exported constructor from inside the library would go through the
// procedure linkage table, on the path of every hooked ray.
cVector4 vectorOf(const RenderState& s, const float* f) {
    cVector4 v = s.blank;
    v.x = f[0];
    v.y = f[1];
    v.z = f[2];
    v.w = f[3];
    return v;
}

LevelTriangle toTriangle(const cVector4& a, const cVector4& b, const cVector4& c) {
    return LevelTriangle{{{a.x, a.y, a.z}, {b.x, b.y, b.z}, {c.x, c.y, c.z}}};
}

}  // namespace

void reset() {
    resetCore();
    RenderState& s = state();
    s.level.clear();
    s.hook = nullptr;
    s.recording = false;
    clearCapture();
}

void clearLevel() { state().level.clear(); }

void addTriangle(const cVector4& a, const cVector4& b, const cVector4& c) {
    state().level.add(toTriangle(a, b, c));
}

void addBox(const cVector4& min, const cVector4& max) {
    const float x0 = std::min(min.x, max.x), x1 = std::max(min.x, max.x);
    const float y0 = std::min(min.y, max.y), y1 = std::max(min.y, max.y);
    const float z0 = std::min(min.z, max.z), z1 = std::max(min.z, max.z);
    // Corners: bit 0 picks x, bit 1 y, bit 2 z.
    cVector4 p[8];
    for (int i = 0; i < 8; ++i) p[i] = cVector4(i & 1 ? x1 : x0, i & 2 ? y1 : y0, i & 4 ? z1 : z0);
    // Two triangles per face, wound outwards.
    static const int faces[6][4] = {
        {0, 2, 3, 1},   // bottom (z0)
        {4, 5, 7, 6},   // top (z1)
        {0, 1, 5, 4},   // y0
        {2, 6, 7, 3},   // y1
        {0, 4, 6, 2},   // x0
        {1, 3, 7, 5},   // x1
    };
    Level& level = state().level;
    for (const auto& f : faces) {
        level.add(toTriangle(p[f[0]], p[f[1]], p[f[2]]));
        level.add(toTriangle(p[f[0]], p[f[2]], p[f[3]]));
    }
}

bool loadLevel(const char* objPath) {
    std::vector<LevelTriangle> triangles;
    if (!parseObjFile(objPath, triangles)) return false;
    state().level.replace(std::move(triangles));
    return true;
}

int triangleCount() { return state().level.count(); }

void setLevel(const float* corners, int count) {
    std::vector<LevelTriangle> triangles(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (std::size_t i = 0; i < triangles.size(); ++i)
        for (int c = 0; c < 3; ++c)
            for (int a = 0; a < 3; ++a) triangles[i].v[c][a] = corners[i * 9 + c * 3 + a];
    state().level.replace(std::move(triangles));
}

void setHitScan(HitScan scan) { state().hook = std::move(scan); }

long long rayCount() { return state().rayCount; }
void recordRays(bool on) { state().recording = on; }
const std::vector<Ray>& rays() { return state().rays; }
const std::vector<Line>& lines() { return state().lines; }
const std::vector<Text>& texts() { return state().texts; }

void clearCapture() {
    RenderState& s = state();
    s.rayCount = 0;
    s.rays.clear();
    s.lines.clear();
    s.texts.clear();
}

int hitScanLinear(const float origin[3], const float direction[3], float length, float hit[3]) {
    LevelRay ray;
    float t;
    if (!makeLevelRay(origin, direction, length, ray) || !state().level.castLinear(ray, t)) return 0;
    for (int i = 0; i < 3; ++i) hit[i] = ray.origin[i] + ray.dir[i] * t;
    return 1;
}

Level::Stats levelStats() { return state().level.stats(); }

}  // namespace zunStandIn

using namespace zunStandIn;

int zunHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4], unsigned long* a,
               unsigned long& b, unsigned long& c, int mode) {
    (void)mode;
    if (a != nullptr) *a = 0;
    b = 0;
    c = 0;
    RenderState& s = state();
    ++s.rayCount;
    if (origin == nullptr || direction == nullptr || hit == nullptr) return 0;

    const float* o = *origin;
    const float* d = *direction;
    float* h = *hit;
    int result = 0;
    if (s.hook) {
        const cVector4 hookOrigin = vectorOf(s, o);
        const cVector4 hookDirection = vectorOf(s, d);
        cVector4 hookHit = vectorOf(s, h);
        result = s.hook(hookOrigin, hookDirection, length, hookHit) != 0 ? 1 : 0;
        if (result) {
            h[0] = hookHit.x;
            h[1] = hookHit.y;
            h[2] = hookHit.z;
        }
    } else {
        LevelRay ray;
        float t;
        if (makeLevelRay(o, d, length, ray) && s.level.cast(ray, t)) {
            for (int i = 0; i < 3; ++i) h[i] = ray.origin[i] + ray.dir[i] * t;
            result = 1;
        }
    }
    if (s.recording)
        s.rays.push_back(Ray{vectorOf(s, o), vectorOf(s, d), length, result, vectorOf(s, h)});
    return result;
}

void zunGenericDrawWorldLine(cVector4& from, cVector4& to, unsigned long colour) {
    state().lines.push_back(Line{from, to, colour});
}

void zunAddSystemText(char const* text, int size, unsigned long colour) {
    state().texts.push_back(Text{text != nullptr ? std::string(text) : std::string(), size, colour});
}
