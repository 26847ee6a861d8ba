// The stand-in's C interface (standin/zunStandInBridge.h): each call handed
// to the stand-in's own core and render code, built into this library.
#include "standin/zunStandInBridge.h"

#include <cstddef>
#include <new>

#include "host/zunCore.h"
#include "host/zunRender.h"
#include "host/zunScript.h"
#include "standin/zunStandIn.h"

namespace {

cVector4 vectorOf(const float* f)
{
    cVector4 v(f[0], f[1], f[2]);
    v.w = f[3];
    return v;
}

void copy(const cVector4& v, float* f)
{
    f[0] = v.x;
    f[1] = v.y;
    f[2] = v.z;
    f[3] = v.w;
}

zunScript* scriptOf(void* script) { return static_cast<zunScript*>(script); }

} // namespace

void* zunBridgeCoreNew(unsigned int size) { return theCore.coreNew(size); }
void zunBridgeCoreDelete(void* block) { theCore.coreDelete(block); }
void zunBridgeLogDump(char* text) { theCore.dump(text); }

void* zunBridgeScriptNew(char* title) { return new (std::nothrow) zunScript(title); }
void zunBridgeScriptDelete(void* script) { delete scriptOf(script); }
int zunBridgeScriptLoad(void* script, char* path) { return script ? scriptOf(script)->load(path) : 0; }
int zunBridgeScriptEval(void* script, char* name, float* value, int mode)
{
    return script ? scriptOf(script)->evalStatement(name, value, mode) : 0;
}
int zunBridgeScriptAdd(void* script, char* text) { return script ? scriptOf(script)->addStatement(text) : 0; }
int zunBridgeScriptSave(void* script, char* path, int mode) { return script ? scriptOf(script)->save(path, mode) : 0; }

int zunBridgeHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4], unsigned long* a,
                     unsigned long* b, unsigned long* c, int mode)
{
    return zunHitScan(origin, direction, length, hit, a, *b, *c, mode);
}

void zunBridgeDrawWorldLine(const float* from, const float* to, unsigned long colour)
{
    cVector4 f = vectorOf(from), t = vectorOf(to);
    zunGenericDrawWorldLine(f, t, colour);
}

void zunBridgeAddSystemText(const char* text, int size, unsigned long colour) { zunAddSystemText(text, size, colour); }

void zunBridgeReset() { zunStandIn::reset(); }
void zunBridgeAddBox(const float* min, const float* max) { zunStandIn::addBox(vectorOf(min), vectorOf(max)); }
void zunBridgeAddTriangle(const float* a, const float* b, const float* c)
{
    zunStandIn::addTriangle(vectorOf(a), vectorOf(b), vectorOf(c));
}
int zunBridgeLoadLevel(const char* objPath) { return zunStandIn::loadLevel(objPath) ? 1 : 0; }

void zunBridgeSetHook(zunBridgeHook hook)
{
    if (!hook) {
        zunStandIn::setHitScan({});
        return;
    }
    zunStandIn::setHitScan([hook](const cVector4& origin, const cVector4& direction, float length, cVector4& hit) {
        float o[4], d[4], h[4];
        copy(origin, o);
        copy(direction, d);
        copy(hit, h);
        const int result = hook(o, d, length, h);
        hit = vectorOf(h);
        return result;
    });
}

void zunBridgeRecordRays(int on) { zunStandIn::recordRays(on != 0); }
int zunBridgeRecordedRays() { return static_cast<int>(zunStandIn::rays().size()); }

void zunBridgeGetRay(int index, zunBridgeRay* ray)
{
    const zunStandIn::Ray& r = zunStandIn::rays()[static_cast<std::size_t>(index)];
    copy(r.origin, ray->origin);
    copy(r.direction, ray->direction);
    ray->length = r.length;
    ray->result = r.result;
    copy(r.hit, ray->hit);
}

int zunBridgeDrawnLines() { return static_cast<int>(zunStandIn::lines().size()); }

void zunBridgeGetLine(int index, zunBridgeLine* line)
{
    const zunStandIn::Line& l = zunStandIn::lines()[static_cast<std::size_t>(index)];
    copy(l.from, line->from);
    copy(l.to, line->to);
    line->colour = l.colour;
}

void zunBridgeClearCapture() { zunStandIn::clearCapture(); }
