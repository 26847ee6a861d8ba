#ifndef ZUN_TEST_PATHS_H
#define ZUN_TEST_PATHS_H

// Paths made from their marks' positions, and what tests read back from them.

#include <initializer_list>
#include <string>
#include <vector>

#include "zunAI.h"

inline zunAIPath* makePath(std::initializer_list<cVector4> marks)
{
    zunAIPath* path = new zunAIPath;
    for (cVector4 mark : marks)
        path->addMark(mark);
    return path;
}

// A path of these marks added to the database.
inline zunAIPath* storePath(zunAIPathMgr& db, std::initializer_list<cVector4> marks)
{
    zunAIPath* path = makePath(marks);
    db.addPath(path);
    return path;
}

// The x of each mark (none for no path): the paths of the tests run along x.
inline std::vector<float> xs(zunAIPath* path)
{
    std::vector<float> out;
    for (int i = 0; path && i < path->getNumMarks(); ++i)
        out.push_back(path->getMark(i)->position.x);
    return out;
}

// The x of each mark of each stored path.
inline std::vector<std::vector<float>> xsOf(zunAIPathMgr& manager)
{
    std::vector<std::vector<float>> out;
    for (int p = 0; p < manager.getNumPaths(); ++p)
        out.push_back(xs(manager.getPath(p)));
    return out;
}

// The statements of one mark, as the module writes them.
inline std::string markStatements(int path, int mark, float x, float y, float z)
{
    const std::string v = "Path" + std::to_string(path) + "Mark" + std::to_string(mark);
    return v + "X = " + std::to_string(x) + ";\n" + v + "Y = " + std::to_string(y) + ";\n" + v + "Z = " +
           std::to_string(z) + ";\n";
}

#endif
