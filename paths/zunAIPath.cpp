#include "paths/zunAIPath.h"

zunAIPath::zunAIPath() : curMark(0), active(0) {}

zunAIPath::~zunAIPath() { marks.deleteAll(); }

zunAIPath::zunAIPath(const zunAIPath& other) : curMark(other.curMark), active(other.active)
{
    copyMarksOf(other);
}

zunAIPath& zunAIPath::operator=(const zunAIPath& other)
{
    if (this == &other)
        return *this;
    marks.deleteAll();
    curMark = other.curMark;
    active = other.active;
    copyMarksOf(other);
    return *this;
}

// Duplicates every node of `other`, null items included, so that the copy has
// the same count and the same walk as the source.
void zunAIPath::copyMarksOf(const zunAIPath& other)
{
    for (zunList<zunAIMark>::Node* node = other.marks.head; node; node = node->next) {
        if (node->item)
            addMark(node->item->position);
        else
            marks.append(nullptr);
    }
}

void zunAIPath::addMark(cVector4& position)
{
    zunAIMark* mark = new zunAIMark(position);
    if (!marks.append(mark))
        delete mark;
}

int zunAIPath::deleteLastMark() { return marks.removeLast(); }

zunAIMark* zunAIPath::getLastMark()
{
    if (marks.count == 0 || !marks.tail)
        return nullptr;
    return marks.tail->item;
}

zunAIMark* zunAIPath::getNextMark()
{
    if (curMark < 0 || curMark >= marks.count)
        return nullptr;
    zunAIMark* mark = marks.getAt(curMark);
    if (!mark)
        return nullptr;
    ++curMark;
    return mark;
}
