// The golden record's scenes. Inputs are made from small integers by single
// float operations, so every build starts each scene from the same bits.
#include "zunGoldenScenes.h"

namespace {

// --- lines -------------------------------------------------------------------

class Line {
public:
    explicit Line(const char* word) { text(word); }
    Line& text(const char* s)
    {
        while (*s)
            put(*s++);
        return *this;
    }
    Line& number(long long value)
    {
        char digits[24];
        int n = 0;
        unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        text(value < 0 ? " -" : " ");
        while (n)
            put(digits[--n]);
        return *this;
    }
    Line& bits(float value)
    {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&value);
        unsigned int pattern = 0;
        for (int i = 3; i >= 0; --i)
            pattern = (pattern << 8) | bytes[i];
        text(" ");
        for (int shift = 28; shift >= 0; shift -= 4)
            put("0123456789abcdef"[(pattern >> shift) & 15u]);
        return *this;
    }
    Line& vector(const cVector4& v) { return point(v).bits(v.w); }
    Line& point(const cVector4& v) { return bits(v.x).bits(v.y).bits(v.z); }
    const char* str() const { return buffer; }

private:
    void put(char c)
    {
        if (used < sizeof buffer - 1) {
            buffer[used++] = c;
            buffer[used] = '\0';
        }
    }
    char buffer[256] = {};
    unsigned int used = 0;
};

// --- recording ---------------------------------------------------------------

class Recorder {
public:
    explicit Recorder(const zunGoldenHost& host) : host(host) {}

    void scene(const char* name)
    {
        host.reset();
        host.recordRays(1);
        host.writeLine(Line("scene ").text(name).str());
    }
    // Writes `line` after the rays and drawn lines of the step so far.
    void write(const Line& line)
    {
        flushCapture();
        host.writeLine(line.str());
    }
    // A new step: its rays and drawn lines are written by the next answer, mark or step.
    void step(const char* what, int index = -1)
    {
        Line line("step ");
        line.text(what);
        if (index >= 0)
            line.number(index);
        write(line);
    }
    void answer(const char* name, long long value) { write(Line("answer ").text(name).number(value)); }
    void answer(const char* name, int value) { answer(name, static_cast<long long>(value)); }
    void answer(const char* name, float value) { write(Line("answer ").text(name).bits(value)); }
    void answer(const char* name, const cVector4& value) { write(Line("answer ").text(name).vector(value)); }
    void marks(zunAIPath* path)
    {
        if (!path)
            return write(Line("answer path none"));
        write(Line("answer marks").number(path->getNumMarks()));
        for (int i = 0; i < path->getNumMarks(); ++i) {
            zunAIMark* mark = path->getMark(i);
            Line line("mark");
            line.number(i);
            if (mark)
                line.vector(mark->position);
            else
                line.text(" null");
            host.writeLine(line.str());
        }
    }
    void flushCapture()
    {
        const int count = host.rayCount();
        for (int i = 0; i < count; ++i) {
            zunGoldenRay ray;
            host.getRay(i, ray);
            host.writeLine(Line("ray").number(i).point(ray.origin).point(ray.direction).bits(ray.length)
                               .number(ray.result).point(ray.hit).str());
        }
        const int lines = host.lineCount();
        for (int i = 0; i < lines; ++i) {
            zunGoldenLine drawn;
            host.getLine(i, drawn);
            host.writeLine(Line("line").number(i).point(drawn.from).point(drawn.to).number(drawn.colour).str());
        }
        host.clearCapture();
    }

    const zunGoldenHost& host;
};

// --- inputs ------------------------------------------------------------------

// The i-th of a fixed spread of values in [lo, lo + span): steps of span/97
// in a scattered order, so that neighbouring inputs are not round numbers.
float spread(int i, float lo, float span)
{
    const int k = (i * 37 + 11) % 97;
    return lo + span * static_cast<float>(k) / 97.0f;
}

cVector4 unitDirection(int i, float zSpan)
{
    cVector4 d(spread(i, -1.0f, 2.0f), spread(i + 5, -1.0f, 2.0f), spread(i + 9, -zSpan, 2.0f * zSpan));
    if (d.len() == 0.0f)
        d = cVector4(1.0f, 0.0f, 0.0f);
    d.normalize();
    return d;
}

// A manager that opens validateHeight to the scenes.
struct GoldenMgr : zunAIPathMgr {
    using zunAIPathMgr::validateHeight;
};

// --- scenes ------------------------------------------------------------------

void boxesLevel(const zunGoldenHost& host)
{
    host.addBox(cVector4(-100, -100, -5), cVector4(100, 100, 0));      // ground
    host.addBox(cVector4(20, -30, 0), cVector4(21, 60, 50));           // a thin wall
    host.addBox(cVector4(-60, 10, 0), cVector4(-35, 40, 30));          // a block
    // A ramp rising 20 over 60 toward +y, and its far side.
    host.addTriangle(cVector4(-20, -80, 0), cVector4(10, -80, 0), cVector4(10, -20, 20));
    host.addTriangle(cVector4(-20, -80, 0), cVector4(10, -20, 20), cVector4(-20, -20, 20));
}

void probes(Recorder& rec, float extent, float ground, int count)
{
    GoldenMgr mgr;
    for (int i = 0; i < count; ++i) {
        cVector4 origin(spread(i, -extent, 2.0f * extent), spread(i + 3, -extent, 2.0f * extent),
                        spread(i + 7, ground, 50.0f));
        cVector4 direction = unitDirection(i, 0.4f);
        cVector4 unused, hit;
        const float length = spread(i + 1, 20.0f, 180.0f);
        const float angle = spread(i + 2, -1.6f, 3.2f);

        rec.step("validateTrace", i);
        float clear = -1.0f;
        rec.answer("result", mgr.validateTrace(origin, direction, unused, clear, length));
        rec.answer("clearLength", clear);

        rec.step("isBlocked", i);
        rec.answer("result", mgr.isBlocked(origin, direction, length, 0));

        rec.step("isBlockedHorzTurn", i);
        rec.answer("result", mgr.isBlockedHorzTurn(origin, direction, length, angle, 0));

        rec.step("isBlockedVertScan", i);
        cVector4 span(0.0f, 0.0f, spread(i + 4, 5.0f, 40.0f));
        hit = cVector4();
        rec.answer("result", mgr.isBlockedVertScan(origin, span, direction, length, angle, 3 + i % 5, &hit));
        rec.answer("hit", hit);

        rec.step("isBlockedArrayScan", i);
        hit = cVector4();
        rec.answer("result", mgr.isBlockedArrayScan(origin, spread(i + 6, 4.0f, 30.0f), spread(i + 8, 4.0f, 30.0f),
                                                    direction, length, angle, 2 + i % 4, 2 + i % 3, &hit));
        rec.answer("hit", hit);

        rec.step("validateHeight", i);
        cVector4 above(origin.x, origin.y, ground + spread(i + 10, 15.0f, 20.0f));
        rec.answer("height", mgr.validateHeight(above));
    }
}

// A walk's start and goal.
using Request = cVector4[2];

void walks(Recorder& rec, const Request* requests, int count)
{
    zunAIPathMgr mgr;
    for (int i = 0; i < count; ++i) {
        cVector4 start = requests[i][0], goal = requests[i][1];
        rec.step("walk", i);
        rec.marks(mgr.getPath(start, goal));
    }
    mgr.deleteAllPaths();
}

// Scripted ray tests: every direct test blocked, ground rays clear, sweep
// probes meet something `hookClearance` ahead (nothing when 0).
float hookClearance = 0.0f;

int blockedDirectTests(const cVector4& origin, const cVector4& direction, float length, cVector4& hit)
{
    if (direction.z == -1.0f && length == 30.0f)
        return 0;
    if (length == 100.0f) {
        if (hookClearance == 0.0f)
            return 0;
        hit = origin + direction * hookClearance;
        return 1;
    }
    hit = origin + direction * 0.5f;
    return 1;
}

// A level of rings: hits where the distance from the origin's vertical axis
// crosses a multiple of 37 within the ray, at the first such crossing.
int ringHook(const cVector4& origin, const cVector4& direction, float length, cVector4& hit)
{
    for (float t = 1.0f; t <= length; t += 1.0f) {
        cVector4 p = origin + direction * t;
        cVector4 flat(p.x, p.y, 0.0f);
        const int ring = static_cast<int>(flat.len() / 37.0f);
        if (ring > 0 && flat.len() - 37.0f * static_cast<float>(ring) < 1.0f) {
            hit = p;
            return 1;
        }
    }
    return 0;
}

void scriptedWalks(Recorder& rec)
{
    const Request requests[] = {
        {{0, 0, 0}, {50, 0, 0}},
        {{3.5f, -7.25f, 10}, {-30, 25, 10}},
        {{-12, 40, 5}, {20, 0, 25}},
    };
    const float clearances[] = {0.0f, 30.0f, 6.5f};
    for (int k = 0; k < 3; ++k) {
        hookClearance = clearances[k];
        rec.host.setHook(blockedDirectTests);
        rec.step("clearance", static_cast<int>(clearances[k] * 2.0f));
        walks(rec, &requests[k], 1);
    }
    rec.host.setHook(ringHook);
    rec.step("rings");
    walks(rec, requests, 1);
    rec.host.setHook(nullptr);
}

void sensor(Recorder& rec, const cVector4* positions, int count)
{
    zunAIVideo video;
    for (int p = 0; p < count; ++p) {
        cVector4 position = positions[p];
        for (int tick = 0; tick < 6; ++tick) {
            rec.step("vtlUpdate", p * 100 + tick);
            rec.answer("result", video.vtlUpdate(0.5f * static_cast<float>(tick + 4 * p), position));
            rec.answer("lastRays", video.lastRays);
            rec.answer("lastHits", video.lastHits);
            rec.answer("meanDistance", video.meanDistance);
            rec.answer("startAngle", video.startAngle);
            rec.answer("space", video.getSpace());
            for (int h = 0; h < video.lastHits && h < zunAIVideo::maxHitPoints; ++h)
                rec.answer("hitPoint", video.hitPoints[h]);
        }
        cVector4 velocity = unitDirection(p, 0.1f) * spread(p, 1.0f, 9.0f);
        rec.step("isBlockedVelocity", p);
        rec.answer("result", video.isBlockedVelocity(position, velocity, spread(p + 1, 10.0f, 150.0f), 0));
    }
}

// The index of `path` in `db`'s list, -1 when it is none of them.
long long indexIn(zunAIPathMgr& db, zunAIPath* path)
{
    for (int i = 0; i < db.getNumPaths(); ++i)
        if (db.getPath(i) == path)
            return i;
    return -1;
}

const float floorHeight = 24.7f, terraceHeight = 44.7f;

void bestPaths(Recorder& rec, zunAIPathMgr& db)
{
    const float joins[] = {150.0f, 60.0f, 35.5f};
    const float dots[] = {-0.707f, 0.0f, 0.5f};
    for (int i = 0; i < 12; ++i) {
        cVector4 from(spread(i, -180.0f, 360.0f), spread(i + 2, -180.0f, 360.0f), floorHeight);
        cVector4 to(spread(i + 5, -180.0f, 360.0f), spread(i + 8, -180.0f, 360.0f), i % 3 ? floorHeight : terraceHeight);
        for (int k = 0; k < 3; ++k) {
            rec.step("findBestPath", i * 10 + k);
            cVector4 exitPoint;
            int reversed = -1;
            zunAIPath* exclude = k == 2 ? db.getPath(i % db.getNumPaths()) : nullptr;
            zunAIPath* best = db.findBestPath(from, to, exitPoint, reversed, joins[k], dots[k], exclude, 4.0f);
            rec.answer("path", indexIn(db, best));
            rec.answer("exitPoint", exitPoint);
            rec.answer("reversed", reversed);
        }
    }
}

void chainedRoutes(Recorder& rec, zunAIPathMgr& db)
{
    const Request requests[] = {
        {{-150, -178, floorHeight}, {140, 158, terraceHeight}},
        {{-140, 76, floorHeight}, {95, -95, floorHeight}},
        {{86, 138, terraceHeight}, {-150, -178, floorHeight}},
        {{5, -45, floorHeight}, {-5, 115, floorHeight}},
        {{-33.5f, 12.25f, floorHeight}, {170, -160, floorHeight}},
    };
    zunAIPathMgr routes;
    zunAIPathMgr::pathInfo tight{80.0f, 45.5f, 0.25f};   // the default height step
    for (int i = 0; i < 5; ++i) {
        cVector4 start = requests[i][0], goal = requests[i][1];
        rec.step("chained", i);
        rec.marks(routes.getPath(start, goal, db, nullptr));
        rec.step("chained tight", i);
        rec.marks(routes.getPath(start, goal, db, &tight));
    }
    routes.deleteAllPaths();
}

void pathGeometry(Recorder& rec, zunAIPathMgr& db)
{
    for (int i = 0; i < db.getNumPaths(); ++i) {
        zunAIPath* path = db.getPath(i);
        cVector4 point(spread(i, -190.0f, 380.0f), spread(i + 4, -190.0f, 380.0f), floorHeight);
        rec.step("distances", i);
        rec.answer("min", path->getMinDistanceToPath(point));
        rec.answer("start", path->getDistanceToStart(point));
        rec.answer("end", path->getDistanceToEnd(point));
    }
}

void generators(Recorder& rec)
{
    zunAIPathMgr paths;
    zunAITaskMgr tasks;
    rec.step("rnd");
    for (int i = 0; i < 8; ++i) {
        rec.answer("path manager", paths.rnd());
        rec.answer("task manager", tasks.rnd());
    }
}

// Two of the sample's paths in a database of their own; a path recorded (its
// last mark taken back) and committed, another left recording; all drawn
// with a stored path selected, which is then deleted; the database saved into
// the scratch game folder and loaded back.
void editing(Recorder& rec, zunAIPathMgr& db)
{
    zunAIPathMgr edited, loaded;
    edited.addPath(db.getCopyPath(1));
    edited.addPath(db.getCopyPath(10));
    for (int i = 0; i < 6; ++i) {
        cVector4 spot(spread(i, -150.0f, 300.0f), spread(i + 3, -150.0f, 300.0f), floorHeight);
        rec.step("addNewMark", i);
        rec.answer("result", edited.addNewMark(spot));
        if (i == 3) {
            rec.answer("deleteLastMark", edited.deleteLastMark());
            rec.answer("saveNewPath", edited.saveNewPath());
        }
    }
    cVector4 nowhere(500.0f, 500.0f, floorHeight);
    cVector4 nearby = edited.getPath(1)->getMark(2)->position + cVector4(3.0f, -4.5f, 0.0f);
    rec.step("selectClosestPath");
    rec.answer("nowhere", edited.selectClosestPath(nowhere));
    rec.answer("nearby", edited.selectClosestPath(nearby));
    rec.answer("selected", indexIn(edited, edited.selectedPath));
    rec.step("drawPaths");
    rec.answer("result", edited.drawPaths());
    rec.step("deleteSelectedPath");
    rec.answer("result", edited.deleteSelectedPath());
    rec.answer("again", edited.deleteSelectedPath());

    rec.step("saveAllPaths and loadPaths");
    if (!rec.host.enterScratchBin())
        return rec.host.writeLine("error the scratch game folder could not be entered");
    char name[] = "levels\\paths.qzt";
    rec.answer("saved", edited.saveAllPaths());
    rec.answer("loaded", loaded.loadPaths(name));
    rec.host.leaveBin();
    rec.answer("paths", loaded.getNumPaths());
    for (int i = 0; i < loaded.getNumPaths(); ++i)
        rec.marks(loaded.getPath(i));
}

// Memories and tasks of the host's own kinds, which count their ends.
int destroyed = 0;
struct GoldenMemory : zunAIMemory { ~GoldenMemory() override { ++destroyed; } };
struct GoldenTask : zunAITask {   // goes on before `until`; a reset drops those of type 2
    GoldenTask(int kind, float end) : until(end) { type = kind; }
    ~GoldenTask() override { ++destroyed; }
    int vtlReset() override { return type != 2; }
    int vtlUpdate(float time) override { return time < until; }
    float until;
};

// Six memories (one never refreshed) and six tasks of three kinds over eight
// steps of time: per step and kind, the memories left, those refreshed
// within the last second and whether a task goes on. At step 3 the tasks
// are reset and the oldest memory of each kind is refreshed.
void memoriesAndTasks(Recorder& rec)
{
    destroyed = 0;
    zunAIMemoryMgr memories;
    zunAITaskMgr tasks;
    for (int i = 0; i < 6; ++i) {
        GoldenMemory* memory = new GoldenMemory;
        memory->type = i % 3;
        memory->setDuration(spread(i, 0.5f, 2.5f));
        if (i != 4)
            memory->vtlRefresh(spread(i + 2, 0.1f, 1.0f));
        memories.addMemory(memory);
        tasks.addTask(new GoldenTask(i % 3, spread(i + 1, 0.5f, 3.5f)));
    }
    for (int step = 0; step < 8; ++step) {
        const float time = 0.55f * static_cast<float>(step);
        rec.step("time", step);
        memories.updateMemory(time);
        if (step == 3)
            tasks.resetTasks();
        tasks.updateTasks(time);
        for (int kind = 0; kind < 3; ++kind) {
            zunArray<zunAIMemory> oldest, recent;
            memories.findMemoryArray(oldest, kind, 1);
            memories.findMemoryArray(recent, kind, time - 1.0f, 6);
            if (step == 3 && oldest.count)
                oldest.data[0]->vtlRefresh(time);
            rec.host.writeLine(Line("answer kind").number(kind).number(memories.getNumMemoriesType(kind))
                                   .number(recent.count).number(tasks.haveTask(kind)).str());
        }
        rec.answer("destroyed", destroyed);
    }
}

} // namespace

int zunPlayGoldenScenes(const zunGoldenHost& host)
{
    Recorder rec(host);

    rec.scene("probes on boxes");
    boxesLevel(host);
    probes(rec, 90.0f, 0.0f, 24);

    rec.scene("walks on scripted hooks");
    scriptedWalks(rec);

    rec.scene("walks on boxes");
    boxesLevel(host);
    const Request boxWalks[] = {
        {{0, 0, 24.7f}, {35, -40, 24.7f}},
        {{-70, 25, 24.7f}, {-25, 30, 24.7f}},
        {{-5, -90, 24.7f}, {-5, -50, 34.7f}},
    };
    walks(rec, boxWalks, 3);

    rec.scene("sensor on boxes");
    boxesLevel(host);
    const cVector4 boxSpots[] = {cVector4(0, 0, 10), cVector4(-47.5f, 0.25f, 12)};
    sensor(rec, boxSpots, 2);

    rec.scene("generators");
    generators(rec);

    rec.scene("probes on the sample");
    if (!host.loadSampleLevel()) {
        host.writeLine("error the sample level could not be loaded");
        return 0;
    }
    probes(rec, 195.0f, 0.0f, 24);

    rec.scene("walks on the sample");
    host.loadSampleLevel();
    const Request sampleWalks[] = {
        {{-140, 76, floorHeight}, {-100, 30, floorHeight}},
        {{5, -45, floorHeight}, {-5, 15, floorHeight}},
        {{60.5f, -120.25f, floorHeight}, {100, -80, floorHeight}},
    };
    walks(rec, sampleWalks, 3);

    rec.scene("sensor on the sample");
    host.loadSampleLevel();
    const cVector4 sampleSpots[] = {cVector4(-150, -178, 10), cVector4(5, -45, 12), cVector4(140, 158, 30)};
    sensor(rec, sampleSpots, 3);

    rec.scene("database of the sample");
    host.loadSampleLevel();
    if (!host.enterSampleBin()) {
        host.writeLine("error the sample's bin folder could not be entered");
        return 0;
    }
    zunAIPathMgr db;
    char name[] = "levels\\paths.qzt";
    const int loaded = db.loadPaths(name);
    host.leaveBin();
    rec.answer("loadPaths", loaded);
    rec.answer("paths", db.getNumPaths());
    pathGeometry(rec, db);

    rec.scene("best paths on the sample");
    host.loadSampleLevel();
    bestPaths(rec, db);

    rec.scene("chained routes on the sample");
    host.loadSampleLevel();
    chainedRoutes(rec, db);

    rec.scene("editing the sample's paths");
    editing(rec, db);

    rec.scene("memories and tasks");
    memoriesAndTasks(rec);

    db.deleteAllPaths();
    host.writeLine("end");
    return 1;
}
