#include "paths/zunAIMark.h"

zunAIMark::zunAIMark(cVector4& at) : position(at) {}

zunAIMark::zunAIMark(const zunAIMark& other)
    : position(other.position.x, other.position.y, other.position.z, 1.0f)
{
}

zunAIMark& zunAIMark::operator=(const zunAIMark& other)
{
    position = other.position;
    return *this;
}
