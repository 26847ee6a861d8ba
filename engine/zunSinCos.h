#ifndef ZUN_SIN_COS_H
#define ZUN_SIN_COS_H

// Sine and cosine of a float angle (radians), each the float nearest to the
// exact value, computed by the module itself with double additions and
// multiplications only: the same bits from every compiler, C library and
// machine (the C libraries' sinf and cosf differ in the last bit for about
// one angle in a hundred). An angle of NaN, an infinity or beyond 4e15 in magnitude (where a float
// holds no phase) gives NaN for both.
// Internal to the module.

namespace zunSinCosDetail {

// pi/2 in three parts (the first two with trailing zero bits, so that a
// multiple of them by a quadrant number up to 2^20 is exact).
constexpr double halfPi1 = 1.57079632673412561417e+00;
constexpr double halfPi2 = 6.07710050630396597660e-11;
constexpr double halfPi3 = 2.02226624879595063154e-21;
constexpr double twoOverPi = 6.36619772367581382433e-01;

// Minimax polynomials of sine and cosine on [-pi/4, pi/4], accurate to far
// below a float's last bit.
inline double sinNear(double r)
{
    const double z = r * r;
    const double p = 8.33333333332248946124e-03 +
                     z * (-1.98412698298579493134e-04 +
                          z * (2.75573137070700676789e-06 +
                               z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
    return r + r * z * (-1.66666666666666324348e-01 + z * p);
}

inline double cosNear(double r)
{
    const double z = r * r;
    const double p = -1.38888888888741095749e-03 +
                     z * (2.48015872894767294178e-05 +
                          z * (-2.75573143513906633035e-07 +
                               z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)));
    return 1.0 - 0.5 * z + z * z * (4.16666666666666019037e-02 + z * p);
}

// The integer nearest to x (halves away from zero), as a double; |x| < 2^52.
inline double nearestInteger(double x)
{
    const double half = x < 0.0 ? -0.5 : 0.5;
    return static_cast<double>(static_cast<long long>(x + half));
}

} // namespace zunSinCosDetail

inline void zunSinCos(float angle, float& sine, float& cosine)
{
    using namespace zunSinCosDetail;
    const double x = angle;
    const double limit = 4.0e15;   // quadrant numbers stay exact integers below it
    if (!(x > -limit && x < limit)) {
        // NaN, infinities, and angles whose phase a float cannot hold.
        const double zero = 0.0;
        sine = cosine = static_cast<float>(zero / zero);
        return;
    }
    const double k = nearestInteger(x * twoOverPi);
    const double r = ((x - k * halfPi1) - k * halfPi2) - k * halfPi3;
    const double s = sinNear(r), c = cosNear(r);
    const double quarter = k - 4.0 * static_cast<double>(static_cast<long long>(k / 4.0));
    const int quadrant = static_cast<int>(quarter < 0.0 ? quarter + 4.0 : quarter);
    switch (quadrant) {
    case 0:
        sine = static_cast<float>(s);
        cosine = static_cast<float>(c);
        break;
    case 1:
        sine = static_cast<float>(c);
        cosine = static_cast<float>(-s);
        break;
    case 2:
        sine = static_cast<float>(-s);
        cosine = static_cast<float>(-c);
        break;
    default:
        sine = static_cast<float>(-c);
        cosine = static_cast<float>(s);
        break;
    }
}

#endif
