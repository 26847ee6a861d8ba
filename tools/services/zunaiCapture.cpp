// Splitting the module's captured world lines into drawn paths.

#include "zunaiCapture.h"

#include <string>

#include "standin/zunStandIn.h"
#include "zunaiError.h"

namespace {

// The marks that drawPath walks: from the first, up to the first null item.
std::vector<zunaiPoint> drawnMarks(zunAIPath* path)
{
    std::vector<zunaiPoint> marks;
    path->marks.walk([&](zunAIMark* mark) {
        const cVector4& p = mark->getPosition();
        marks.push_back(zunaiPoint{p.x, p.y, p.z});
    });
    return marks;
}

class LineSplitter {
public:
    LineSplitter() : lines(zunStandIn::lines()) {}

    void take(zunAIPath* path, int number, std::vector<zunaiDrawnPath>& out)
    {
        std::vector<zunaiPoint> marks = drawnMarks(path);
        if (marks.size() < 2)
            return;
        const std::size_t segments = marks.size() - 1;
        if (next + 4 * segments > lines.size())
            throw zunaiError{"the module drew fewer lines than its paths have segments"};
        zunaiDrawnPath drawn;
        drawn.number = number;
        drawn.colour = lines[next].colour;
        drawn.marks = std::move(marks);
        for (std::size_t s = 0; s < segments; ++s) {
            const zunStandIn::Line& first = lines[next + 4 * s];
            drawn.points.push_back(zunaiPoint{first.from.x, first.from.y, first.from.z});
            if (s + 1 == segments)
                drawn.points.push_back(zunaiPoint{first.to.x, first.to.y, first.to.z});
        }
        next += 4 * segments;
        out.push_back(std::move(drawn));
    }

    void finish() const
    {
        if (next != lines.size())
            throw zunaiError{"the module drew " + std::to_string(lines.size()) + " lines, its paths account for " +
                             std::to_string(next)};
    }

private:
    const std::vector<zunStandIn::Line>& lines;
    std::size_t next = 0;
};


} // namespace

std::vector<zunaiDrawnPath> zunaiDrawStoredPaths(zunAIPathMgr& mgr)
{
    zunStandIn::clearCapture();
    mgr.drawPaths();
    std::vector<zunaiDrawnPath> drawn;
    LineSplitter splitter;
    int number = 0;
    mgr.paths.walk([&](zunAIPath* path) { splitter.take(path, number++, drawn); });
    if (mgr.newPath)
        splitter.take(mgr.newPath, -1, drawn);
    if (mgr.selectedPath)
        splitter.take(mgr.selectedPath, zunaiPlaceIn(mgr.paths, mgr.selectedPath), drawn);
    splitter.finish();
    return drawn;
}

std::vector<zunaiDrawnPath> zunaiDrawActivePaths(zunAIPathMgr& mgr)
{
    zunStandIn::clearCapture();
    mgr.drawActivePaths();
    std::vector<zunaiDrawnPath> drawn;
    LineSplitter splitter;
    int number = 0;
    mgr.activePaths.walk([&](zunAIPath* path) { splitter.take(path, number++, drawn); });
    number = 0;
    mgr.paths.walk([&](zunAIPath* path) {
        if (path->isActive())
            splitter.take(path, number, drawn);
        ++number;
    });
    splitter.finish();
    return drawn;
}

int zunaiPlaceIn(zunList<zunAIPath>& list, zunAIPath* path)
{
    int index = 0;
    for (auto* node = list.head; node; node = node->next, ++index)
        if (node->item == path)
            return index;
    return -1;
}
