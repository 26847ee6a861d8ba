#ifndef ZUN_RENDER_H
#define ZUN_RENDER_H

#include "host/cVector4.h"
#include "host/zunExport.h"

// Casts a ray from origin along direction for length world units against the
// level. Nonzero on a hit, with x, y, z of hit at the point met; 0 when clear.
ZUNRENDER_API int zunHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4],
                             unsigned long* a, unsigned long& b, unsigned long& c, int mode);

// Debug output for the current frame: a world line (colour 0x00RRGGBB) and a
// short system text on screen.
ZUNRENDER_API void zunGenericDrawWorldLine(cVector4& from, cVector4& to, unsigned long colour);
ZUNRENDER_API void zunAddSystemText(char const* text, int size, unsigned long colour);

#endif
