#include "host/cVector4.h"

#include <cmath>

// Plain float arithmetic in source order, so that x86-64 and 32-bit SSE
// builds give the same bits.

cVector4::cVector4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}

cVector4::cVector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

cVector4 cVector4::operator-(const cVector4& other) const {
    return cVector4(x - other.x, y - other.y, z - other.z, 1.0f);
}

cVector4 cVector4::operator+(const cVector4& other) const {
    return cVector4(x + other.x, y + other.y, z + other.z, 1.0f);
}

cVector4 cVector4::operator*(float factor) const {
    return cVector4(x * factor, y * factor, z * factor, 1.0f);
}

cVector4 cVector4::operator/(float divisor) const {
    return cVector4(x / divisor, y / divisor, z / divisor, 1.0f);
}

cVector4& cVector4::operator+=(const cVector4& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

float cVector4::len() const {
    return std::sqrt(x * x + y * y + z * z);
}

void cVector4::normalize() {
    const float length = len();
    // A zero vector (and one whose length underflows to zero) stays as it
    // is rather than turning into non-numbers.
    if (length > 0.0f) {
        x /= length;
        y /= length;
        z /= length;
    }
}
