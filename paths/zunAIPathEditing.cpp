// In-game path editing: recording a path mark by mark, committing it to the
// database, picking a stored path near a point and deleting it.
#include "host/zunRender.h"
#include "paths/zunAIPathMgr.h"

namespace {

// A path is picked only when one of its marks lies strictly closer than this.
const float selectionRadius = 10.0f;

} // namespace

int zunAIPathMgr::addNewMark(cVector4& position)
{
    if (!newPath) {
        newPath = new zunAIPath;
        if (!newPath)
            return 0;
    }
    newPath->addMark(position);
    return 1;
}

// Takes back the last recorded mark; a recording left with one mark or none
// is discarded.
int zunAIPathMgr::deleteLastMark()
{
    if (!newPath)
        return 0;
    newPath->deleteLastMark();
    if (newPath->marks.count <= 1) {
        delete newPath;
        newPath = nullptr;
    }
    return 1;
}

// Moves the recording to the end of the database. When no node can be
// allocated for it the recording stays as it is and the answer is 0, so that
// nothing the designer recorded is lost.
int zunAIPathMgr::saveNewPath()
{
    if (!newPath)
        return 0;
    if (!paths.append(newPath))
        return 0;
    newPath = nullptr;
    return 1;
}

int zunAIPathMgr::selectClosestPath(cVector4& point)
{
    float best = zunNoDistance;
    zunAIPath* choice = nullptr;
    paths.walk([&](zunAIPath* path) {
        const float distance = path->getMinDistanceToPath(point);
        if (distance < selectionRadius && distance < best) {
            best = distance;
            choice = path;
        }
    });
    selectedPath = choice;
    if (!choice)
        return 0;
    zunAddSystemText("Selected path!", 12, 0xFFFFFFul);
    return 1;
}

int zunAIPathMgr::deleteSelectedPath()
{
    if (!selectedPath)
        return 0;
    paths.deleteItem(selectedPath);
    selectedPath = nullptr;
    return 1;
}
