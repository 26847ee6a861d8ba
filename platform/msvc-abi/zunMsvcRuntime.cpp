// The little the MSVC-ABI compiler expects of a C runtime that this build
// does without: the marker of floating-point use and the handler of a call
// to a pure virtual function (a broken object: stop at once).
extern "C" {
int _fltused = 0;
int __cdecl _purecall() { __builtin_trap(); }
}
