#include "paths/zunAIMark.h"

#include "engine/zunVector.h"

zunAIMark::zunAIMark(cVector4& at) : position(at) {}

zunAIMark::zunAIMark(const zunAIMark& other)
    : position(zunVector(other.position.x, other.position.y, other.position.z))
{
}

zunAIMark& zunAIMark::operator=(const zunAIMark& other)
{
    position = other.position;
    return *this;
}
