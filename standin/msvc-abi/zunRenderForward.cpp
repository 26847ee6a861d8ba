// The MSVC-ABI zunRenderEngine.dll: the ray test and the debug output under
// MSVC's decorated names, handed to the stand-in's render code in
// zunStandInBridge.dll. (cVector4's members are the stand-in's own source,
// compiled here.)
#include "host/zunRender.h"
#include "standin/zunStandInBridge.h"

int zunHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4], unsigned long* a,
               unsigned long& b, unsigned long& c, int mode)
{
    return zunBridgeHitScan(origin, direction, length, hit, a, &b, &c, mode);
}

void zunGenericDrawWorldLine(cVector4& from, cVector4& to, unsigned long colour)
{
    zunBridgeDrawWorldLine(&from.x, &to.x, colour);
}

void zunAddSystemText(char const* text, int size, unsigned long colour) { zunBridgeAddSystemText(text, size, colour); }
