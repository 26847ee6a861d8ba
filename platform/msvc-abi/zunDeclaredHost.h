// The host's core and render libraries as a game declares them from the
// module's documentation: declarations only, written apart from host/ and
// never compiled into anything. scripts/check-msvc-abi.sh has clang give the
// MSVC-decorated name of each, and the MSVC-ABI zunAIEngine.dll may import
// from zunCoreEngine.dll and zunRenderEngine.dll no other names than these,
// so that it loads beside a game's own libraries.

class cVector4 {
public:
    float x, y, z, w;
    cVector4();
    cVector4(float x, float y, float z);
    cVector4(const cVector4&);
    cVector4& operator=(cVector4 const&);
    cVector4 operator-(cVector4 const&) const;
    cVector4 operator+(cVector4 const&) const;
    cVector4 operator*(float) const;
    cVector4 operator/(float) const;
    cVector4& operator+=(cVector4 const&);
    float len() const;
    void normalize();
};

class zunLog {
public:
    void dump(char* text);
};

class zunCore : public zunLog {
public:
    void* coreNew(unsigned int size);
    void coreDelete(void* block);
};

extern zunCore theCore;

class zunScript {
public:
    zunScript(char* title);
    int load(char* path);
    int evalStatement(char* name, float* value, int);
    int addStatement(char* text);
    int save(char* path, int);
    ~zunScript();
};

int zunHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4], unsigned long* a,
               unsigned long& b, unsigned long& c, int mode);
void zunGenericDrawWorldLine(cVector4& from, cVector4& to, unsigned long colour);
void zunAddSystemText(char const* text, int, unsigned long colour);
