#ifndef ZUN_PLATFORM_H
#define ZUN_PLATFORM_H

// What the module takes from the C and C++ libraries, for the MSVC-ABI build
// that has neither: the same names in namespace std, made of compiler
// builtins. The standard headers the module includes (<cmath>, <cstdint>,
// <cstring>, <cstddef>, <limits>) are thin files of this folder that include
// this one. Nothing here allocates or keeps state.

namespace std {
using size_t = decltype(sizeof 0);
using ptrdiff_t = decltype(static_cast<int*>(nullptr) - static_cast<int*>(nullptr));
using int8_t = signed char;
using uint8_t = unsigned char;
using int16_t = short;
using uint16_t = unsigned short;
using int32_t = int;
using uint32_t = unsigned int;
using int64_t = long long;
using uint64_t = unsigned long long;
using uintptr_t = unsigned int;
using nullptr_t = decltype(nullptr);

inline float fabs(float x) { return __builtin_fabsf(x); }
inline double fabs(double x) { return __builtin_fabs(x); }
// The processor's square root (SSE2), correctly rounded: __builtin_sqrtf
// would call the C library's sqrtf for the sake of errno, and there is none.
inline float sqrt(float x)
{
    typedef float lanes __attribute__((__vector_size__(16)));
    return __builtin_ia32_sqrtss(lanes{x, 0.0f, 0.0f, 0.0f})[0];
}
inline double sqrt(double x)
{
    typedef double lanes __attribute__((__vector_size__(16)));
    return __builtin_ia32_sqrtsd(lanes{x, 0.0})[0];
}
inline bool signbit(float x) { return __builtin_signbit(x); }
inline bool isnan(float x) { return __builtin_isnan(x); }
inline bool isfinite(float x) { return __builtin_isfinite(x); }
inline bool isinf(float x) { return __builtin_isinf(x); }

inline void* memcpy(void* to, const void* from, size_t n) { return __builtin_memcpy(to, from, n); }
inline void* memset(void* to, int value, size_t n) { return __builtin_memset(to, value, n); }
inline int memcmp(const void* a, const void* b, size_t n) { return __builtin_memcmp(a, b, n); }
inline size_t strlen(const char* s) { return __builtin_strlen(s); }

template <class T> struct numeric_limits;
template <> struct numeric_limits<int> {
    static constexpr int max() { return __INT_MAX__; }
    static constexpr int min() { return -__INT_MAX__ - 1; }
};
template <> struct numeric_limits<unsigned int> {
    static constexpr unsigned int max() { return __INT_MAX__ * 2u + 1u; }
    static constexpr unsigned int min() { return 0u; }
};
template <> struct numeric_limits<float> {
    static constexpr float max() { return __FLT_MAX__; }
    static constexpr float lowest() { return -__FLT_MAX__; }
    static constexpr float infinity() { return __builtin_huge_valf(); }
    static constexpr float quiet_NaN() { return __builtin_nanf(""); }
};
} // namespace std

#define offsetof(type, member) __builtin_offsetof(type, member)
#define HUGE_VAL (__builtin_huge_val())
#define INFINITY (__builtin_inff())
#define NAN (__builtin_nanf(""))

#endif
