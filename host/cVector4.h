#ifndef ZUN_CVECTOR4_H
#define ZUN_CVECTOR4_H

#include "host/zunExport.h"

// The host's vector: four floats, z up. Lengths and normalisation use
// x, y, z only; w is carried along.
class ZUNRENDER_API cVector4 {
public:
    float x, y, z, w;

    cVector4();                                        // (0, 0, 0, 1)
    cVector4(float x, float y, float z);               // w as the library chooses (the stand-in: 1)
    cVector4(const cVector4& other) = default;
    cVector4& operator=(const cVector4& other) = default;

    cVector4 operator-(const cVector4& other) const;   // component-wise on x, y, z; w = 1
    cVector4 operator+(const cVector4& other) const;
    cVector4 operator*(float factor) const;
    cVector4 operator/(float divisor) const;
    cVector4& operator+=(const cVector4& other);       // x, y, z; w unchanged

    float len() const;                                 // Euclidean length of (x, y, z)
    void normalize();                                  // to length 1; a zero vector stays zero
};

#endif
