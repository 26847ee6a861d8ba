// The module's exported classes as a game declares them from the module's
// documentation: declarations only, written apart from the module's headers
// and never compiled into anything. scripts/check-msvc-abi.sh has clang give
// the MSVC-decorated name of each and checks that the MSVC-ABI zunAIEngine.dll
// exports every one, so that such a game links against it. Fields decorate
// no name and are left out (engine/zunLayoutChecks.cpp pins the layouts).

class cVector4;
class zunScript;
template <class T> class zunArray;

class zunAIEngine {
public:
    zunAIEngine();
    zunAIEngine(const zunAIEngine&);
    zunAIEngine& operator=(const zunAIEngine&);
    virtual int vtlInit();
    virtual int vtlTerm();
    virtual float vtlGetFloat();
    virtual int vtlUpdateConfig();
};

extern zunAIEngine theAIEngine;
extern "C" zunAIEngine* zunCreateEngine();

class zunAIMark {
public:
    zunAIMark(cVector4&);
    zunAIMark(const zunAIMark&);
    zunAIMark& operator=(const zunAIMark&);
    ~zunAIMark();
    void setPosition(cVector4&);
    cVector4& getPosition();
};

class zunAIPath {
public:
    zunAIPath();
    virtual ~zunAIPath();
    zunAIPath(const zunAIPath&);
    zunAIPath& operator=(const zunAIPath&);
    void addMark(cVector4&);
    int deleteLastMark();
    int getNumMarks();
    zunAIMark* getMark(int);
    zunAIMark* getLastMark();
    zunAIMark* getNextMark();
    int getCurMark();
    void setCurMark(int);
    void setActive(int);
    int isActive();
    float getMinDistanceToPath(cVector4& point);
    cVector4 getMinDistanceVectorToPath(cVector4& point, float&);
    float getDistanceToStart(cVector4& point);
    float getDistanceToEnd(cVector4& point);
    void drawPath(unsigned long colour, float offset);
    int dumpToScript(int, zunScript&);
};

class zunAIPathMgr {
public:
    struct pathInfo;

    zunAIPathMgr();
    ~zunAIPathMgr();
    zunAIPathMgr& operator=(const zunAIPathMgr&);
    zunAIPath* getPath(int);
    void addPath(zunAIPath*);
    void addActivePath(zunAIPath*);
    void deletePath(zunAIPath*);
    void deleteAllPaths();
    int getNumPaths();
    float rnd();
    int drawPaths();
    int drawActivePaths();
    int saveAllPaths();
    int loadPaths(char*);
    int addNewMark(cVector4&);
    int deleteLastMark();
    int saveNewPath();
    int selectClosestPath(cVector4&);
    int deleteSelectedPath();
    int validateTrace(cVector4& origin, cVector4& direction, cVector4&, float& clearLength, float length);
    int isBlocked(cVector4& origin, cVector4& direction, float length, int);
    int isBlockedHorzTurn(cVector4& origin, cVector4& direction, float length, float angle, int);
    int isBlockedVertScan(cVector4& origin, cVector4& span, cVector4& direction, float length, float angle, int count,
                          cVector4* hitOut);
    int isBlockedArrayScan(cVector4& centre, float width, float height, cVector4& direction, float length, float angle,
                           int cols, int rows, cVector4* hitOut);
    zunAIPath* getPath(cVector4& start, cVector4& goal);
    zunAIPath* getPath(cVector4& start, cVector4& goal, zunAIPathMgr& pathDatabase, pathInfo* info);
    zunAIPath* getCopyPath(int index);
    zunAIPath* findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed, float maxJoinDist,
                            float minDot, zunAIPath* exclude, float maxHeightDiff);

protected:
    cVector4 validateHeight(cVector4& point);
    zunAIPath* createPath(cVector4& start, cVector4& goal);
};

class zunAIMemory {
public:
    zunAIMemory();
    virtual ~zunAIMemory();
    zunAIMemory(zunAIMemory const& other);
    zunAIMemory& operator=(zunAIMemory const& other);
    virtual int vtlRefresh(float time);
    virtual int vtlUpdate(float time);
    int getType();
    int getPriority();
    void setPriority(int value);
    void addPriority(int value);
    int getBindings();
    void setBindings(int mask);
    void addBindings(int mask);
    float getDuration();
    void setDuration(float value);
    void addDuration(float value);
    float getLastUsed();
};

class zunAIMemoryMgr {
public:
    zunAIMemoryMgr();
    virtual ~zunAIMemoryMgr();
    zunAIMemoryMgr(zunAIMemoryMgr const& other);
    zunAIMemoryMgr& operator=(zunAIMemoryMgr const& other);
    void addMemory(zunAIMemory* memory);
    void removeMemory(zunAIMemory* memory);
    int haveMemory(zunAIMemory* memory);
    void flushAll();
    int updateMemory(float time);
    void findMemoryArray(zunArray<zunAIMemory>& found, int type, int maxCount);
    void findMemoryArray(zunArray<zunAIMemory>& found, int type, float time, int maxCount);
    int getNumMemoriesType(int type);
};

class zunAITask {
public:
    zunAITask();
    virtual ~zunAITask();
    zunAITask(zunAITask const& other);
    zunAITask& operator=(zunAITask const& other);
    virtual int vtlReset() = 0;
    virtual int vtlUpdate(float time) = 0;
    int getType();
};

class zunAITaskMgr {
public:
    zunAITaskMgr();
    virtual ~zunAITaskMgr();
    zunAITaskMgr(zunAITaskMgr const& other);
    zunAITaskMgr& operator=(zunAITaskMgr const& other);
    void addTask(zunAITask* task);
    void removeTask(zunAITask* task);
    int haveTask(int type);
    int updateTasks(float time);
    int resetTasks();
    float rnd();
};

class zunAIVideo {
public:
    zunAIVideo();
    ~zunAIVideo();
    zunAIVideo(zunAIVideo const& other);
    zunAIVideo& operator=(zunAIVideo const& other);
    virtual int vtlUpdate(float time, cVector4& position);
    int getSpace();
    int isBlockedVelocity(cVector4& position, cVector4& velocity, float range, int);

protected:
    void doCircularSweep(cVector4& origin, int storeHits);
};
