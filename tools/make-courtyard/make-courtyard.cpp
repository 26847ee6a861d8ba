// make-courtyard: builds the sample game directory samples/courtyard.
//
//   make-courtyard DIR
//
// writes DIR/data/levels/courtyard.obj (the level, written here by hand) and
// DIR/data/memory/levels/paths.qzt (the path database, recorded with the
// module's addNewMark/saveNewPath and written by its saveAllPaths from
// DIR/bin, so the file is exactly what the module writes). It then checks
// that every stored segment is clear along the probes route finding uses and
// that the demo's chained routes reach their goals; exit code 1 if not.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunaiDemo.h"
#include "zunaiRoutes.h"

namespace fs = std::filesystem;

namespace {

// ---- the level ----------------------------------------------------------

struct Box {
    const char* name;
    float x0, y0, z0, x1, y1, z1;
};

// Floor 400 x 400 at z = 0; walls and buildings 60 high; the terrace 20 high
// in the north-east corner, with a ramp up to it from the south.
const Box boxes[] = {
    {"wall_south", -200, -200, 0, 200, -196, 60},
    {"wall_north", -200, 196, 0, 200, 200, 60},
    {"wall_west", -200, -196, 0, -196, 196, 60},
    {"wall_east", 196, -196, 0, 200, 196, 60},
    {"hall", -160, 90, 0, -90, 170, 60},
    {"shed", -60, 150, 0, -20, 190, 60},
    {"barn", 70, -170, 0, 150, -110, 60},
    {"monument", -10, -10, 0, 10, 10, 60},
    {"wall_a", -120, -72, 0, -40, -68, 60},
    {"wall_b", -52, 20, 0, -48, 130, 60},
    {"wall_c", 30, -120, 0, 34, -30, 60},
    {"terrace", 50, 70, 0, 196, 196, 20},
    {"tower", 160, 160, 20, 185, 185, 60},
};

constexpr float terraceHeight = 20.0f;
constexpr float rampX0 = 110.0f, rampX1 = 150.0f, rampFootY = -40.0f, rampTopY = 70.0f;

// The ground under (x, y) where a mark may stand: floor, ramp or terrace.
float groundAt(float x, float y)
{
    if (x >= 50.0f && y >= 70.0f)
        return terraceHeight;
    if (x >= rampX0 && x <= rampX1 && y >= rampFootY && y <= rampTopY)
        return terraceHeight * (y - rampFootY) / (rampTopY - rampFootY);
    return 0.0f;
}

class ObjWriter {
public:
    void object(const char* name) { text += std::string("o ") + name + "\n"; }
    int vertex(float x, float y, float z)
    {
        char line[96];
        std::snprintf(line, sizeof line, "v %g %g %g\n", x, y, z);
        text += line;
        return ++vertices;
    }
    void face(std::initializer_list<int> corners)
    {
        text += "f";
        for (int c : corners)
            text += " " + std::to_string(c);
        text += "\n";
    }
    std::string text = "# courtyard: the sample level of zunai, z up, world units\n"
                       "# written by tools/make-courtyard\n";

private:
    int vertices = 0;
};

std::string levelObj()
{
    ObjWriter obj;
    obj.object("floor");
    {
        const int a = obj.vertex(-200, -200, 0), b = obj.vertex(200, -200, 0), c = obj.vertex(200, 200, 0),
                  d = obj.vertex(-200, 200, 0);
        obj.face({a, b, c, d});
    }
    for (const Box& box : boxes) {
        obj.object(box.name);
        int v[8];
        for (int i = 0; i < 8; ++i)
            v[i] = obj.vertex(i & 1 ? box.x1 : box.x0, i & 2 ? box.y1 : box.y0, i & 4 ? box.z1 : box.z0);
        // Faces wound counter-clockwise seen from outside.
        obj.face({v[0], v[2], v[3], v[1]});   // bottom
        obj.face({v[4], v[5], v[7], v[6]});   // top
        obj.face({v[0], v[1], v[5], v[4]});   // south
        obj.face({v[2], v[6], v[7], v[3]});   // north
        obj.face({v[0], v[4], v[6], v[2]});   // west
        obj.face({v[1], v[3], v[7], v[5]});   // east
    }
    obj.object("ramp");
    {
        const int a = obj.vertex(rampX0, rampFootY, 0), b = obj.vertex(rampX1, rampFootY, 0),
                  c = obj.vertex(rampX1, rampTopY, terraceHeight), d = obj.vertex(rampX0, rampTopY, terraceHeight),
                  e = obj.vertex(rampX0, rampTopY, 0), f = obj.vertex(rampX1, rampTopY, 0);
        obj.face({a, b, c, d});   // the slope
        obj.face({a, d, e});      // west side
        obj.face({b, f, c});      // east side
    }
    return obj.text;
}

// ---- the path database --------------------------------------------------

struct DesignedPath {
    const char* name;
    std::vector<std::pair<float, float>> points;
};

// As a designer would record them: walking the courtyard's lanes, a mark
// every 20 to 40 units, each path ending near the start of the next.
const std::vector<DesignedPath> designedPaths = {
    {"west lane", {{-160, -168}, {-172, -145}, {-177, -115}, {-178, -85}, {-178, -55}, {-178, -25}, {-178, 5},
                   {-177, 35}, {-168, 58}}},
    {"hall front", {{-162, 64}, {-135, 68}, {-110, 68}, {-88, 62}, {-72, 50}}},
    {"round wall b", {{-68, 44}, {-64, 20}, {-56, 5}, {-42, -8}, {-28, -18}}},
    {"plaza to barn yard", {{-22, -26}, {-2, -33}, {18, -26}, {40, -16}, {62, -24}, {80, -45}, {98, -66}}},
    {"gate to plaza", {{-150, -162}, {-122, -150}, {-95, -138}, {-68, -120}, {-45, -100}, {-28, -78}, {-22, -54},
                       {-20, -32}}},
    {"south passage", {{-145, -175}, {-115, -176}, {-85, -172}, {-55, -164}, {-25, -154}, {5, -148}, {32, -142},
                       {58, -136}, {62, -108}, {78, -90}, {98, -80}}},
    {"ramp", {{108, -70}, {126, -52}, {130, -28}, {130, -3}, {130, 22}, {130, 47}, {130, 72}, {130, 97}, {128, 114}}},
    {"terrace loop", {{122, 120}, {98, 130}, {80, 150}, {92, 175}, {120, 182}, {145, 170}, {150, 145}, {136, 124}}},
    {"north lane", {{-28, -12}, {-25, 15}, {-20, 40}, {-15, 65}, {-10, 88}, {-8, 108}}},
    {"by the shed", {{-70, 62}, {-70, 88}, {-70, 114}, {-62, 140}, {-38, 141}, {-16, 128}}},
    {"north corner", {{-4, 114}, {5, 140}, {20, 165}, {40, 182}}},
    {"east lane", {{104, -90}, {128, -96}, {158, -100}, {175, -80}, {178, -48}, {176, -15}, {172, 18}, {168, 50}}},
};

// validateHeight places a mark the way path creation does; the generator
// lifts its points with it.
struct MarkPlacer : zunAIPathMgr {
    using zunAIPathMgr::validateHeight;
};

int checkSegments(zunAIPathMgr& mgr)
{
    int problems = 0;
    int number = 0;
    mgr.paths.walk([&](zunAIPath* path) {
        for (int i = 1; i < path->getNumMarks(); ++i) {
            cVector4 a = path->getMark(i - 1)->getPosition();
            cVector4 b = path->getMark(i)->getPosition();
            cVector4 step = b - a;
            const float length = step.len();
            cVector4 below(a.x, a.y, a.z - 12.0f);
            if (length < 15.0f || length > 45.0f) {
                std::fprintf(stderr, "path %d: marks %d-%d are %.1f apart\n", number, i - 1, i, length);
                ++problems;
            }
            if (mgr.isBlockedArrayScan(below, 2.0f, 2.0f, step, length + 2.0f, 0.0f, 2, 2, nullptr)) {
                std::fprintf(stderr, "path %d: marks %d-%d are blocked\n", number, i - 1, i);
                ++problems;
            }
        }
        ++number;
    });
    return problems;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-courtyard DIR\n");
        return 2;
    }
    const fs::path dir = fs::absolute(argv[1]);
    const fs::path level = dir / "data" / "levels" / "courtyard.obj";
    fs::create_directories(level.parent_path());
    fs::create_directories(dir / "bin");
    {
        std::ofstream out(level, std::ios::binary);
        out << levelObj();
        if (!out) {
            std::fprintf(stderr, "make-courtyard: cannot write %s\n", level.string().c_str());
            return 2;
        }
    }

    zunStandIn::reset();
    if (!zunStandIn::loadLevel(level.string().c_str())) {
        std::fprintf(stderr, "make-courtyard: the stand-in cannot read %s\n", level.string().c_str());
        return 2;
    }

    int problems = 0;
    {
        MarkPlacer db;
        for (const DesignedPath& designed : designedPaths) {
            for (const auto& [x, y] : designed.points) {
                cVector4 point(x, y, groundAt(x, y) + 24.7f);
                cVector4 mark = db.validateHeight(point);
                db.addNewMark(mark);
            }
            db.saveNewPath();
        }
        problems += checkSegments(db);
        fs::current_path(dir / "bin");
        if (!db.saveAllPaths()) {
            std::fprintf(stderr, "make-courtyard: saveAllPaths failed\n");
            return 2;
        }
    }

    // The demo's requests, on the database as loaded back.
    zunAIPathMgr db, routes;
    char name[] = "levels\\paths.qzt";
    db.loadPaths(name);
    std::printf("%d paths stored\n", db.getNumPaths());
    for (const zunaiRequest& request : zunaiDemoRequests()) {
        cVector4 start(request.from.x, request.from.y, request.from.z);
        cVector4 goal(request.to.x, request.to.y, request.to.z);
        zunAIPath* route = routes.getPath(start, goal, db, nullptr);
        bool reached = false;
        int marks = 0;
        if (route && route->getNumMarks() > 0) {
            const cVector4& last = route->getLastMark()->getPosition();
            reached = zunaiReaches(zunaiWay::Chained, zunaiPoint{last.x, last.y, last.z}, request.to);
            marks = route->getNumMarks();
        }
        std::printf("%-26s %3d marks  %s\n", request.name.c_str(), marks, reached ? "reached" : "NOT REACHED");
        if (!reached)
            ++problems;
    }
    return problems ? 1 : 0;
}
