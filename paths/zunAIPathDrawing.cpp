#include "host/zunRender.h"
#include "paths/zunAIPath.h"

namespace {

// Lines run 15 units below the marks, offset by the corners of a 1 x 1 square.
const float lineDrop = 15.0f;

void drawSegment(const cVector4& a, const cVector4& b, unsigned long colour, float offset)
{
    const float f = offset;
    const float g = offset + 1.0f;
    const float corners[4][2] = {{f, f}, {f, g}, {g, g}, {g, f}};
    for (const auto& corner : corners) {
        cVector4 from(a.x - corner[0], a.y - corner[1], a.z - lineDrop);
        cVector4 to(b.x - corner[0], b.y - corner[1], b.z - lineDrop);
        zunGenericDrawWorldLine(from, to, colour);
    }
}

} // namespace

void zunAIPath::drawPath(unsigned long colour, float offset)
{
    if (marks.count == 0 || !marks.head->item)
        return;
    const zunAIMark* previous = marks.head->item;
    for (zunList<zunAIMark>::Node* node = marks.head->next; node && node->item; node = node->next) {
        drawSegment(previous->position, node->item->position, colour, offset);
        previous = node->item;
    }
}
