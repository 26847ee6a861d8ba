#include "host/cVector4.h"

#include <cmath>

// Plain float arithmetic in source order, so that x86-64 and 32-bit SSE
// builds give the same bits.
//
// The operators build their result from a copy of *this (the copy
// constructor is the compiler's) and normalize() takes the length itself:
// a call of an exported member from inside the library goes through the
// procedure linkage table, which costs more than the arithmetic.

namespace {

inline float length(const cVector4& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

inline cVector4 with(cVector4 v, float x, float y, float z) {
    v.x = x;
    v.y = y;
    v.z = z;
    v.w = 1.0f;
    return v;
}

}  // namespace

cVector4::cVector4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}

cVector4::cVector4(float x_, float y_, float z_) : x(x_), y(y_), z(z_), w(1.0f) {}

cVector4 cVector4::operator-(const cVector4& other) const {
    return with(*this, x - other.x, y - other.y, z - other.z);
}

cVector4 cVector4::operator+(const cVector4& other) const {
    return with(*this, x + other.x, y + other.y, z + other.z);
}

cVector4 cVector4::operator*(float factor) const {
    return with(*this, x * factor, y * factor, z * factor);
}

cVector4 cVector4::operator/(float divisor) const {
    return with(*this, x / divisor, y / divisor, z / divisor);
}

cVector4& cVector4::operator+=(const cVector4& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

float cVector4::len() const {
    return length(*this);
}

void cVector4::normalize() {
    const float l = length(*this);
    // A zero vector (and one whose length underflows to zero) stays as it
    // is rather than turning into non-numbers.
    if (l > 0.0f) {
        x /= l;
        y /= l;
        z /= l;
    }
}
