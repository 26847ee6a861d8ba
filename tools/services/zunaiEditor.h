#ifndef ZUNAI_EDITOR_H
#define ZUNAI_EDITOR_H

// An editing session on a game directory's path database: one path manager
// loaded as the game loads it and changed only through the module's editing
// members (addNewMark, deleteLastMark, saveNewPath, selectClosestPath,
// deleteSelectedPath) and saved with saveAllPaths. The session knows whether
// anything is unsaved, keeps the previous file as a backup when it saves,
// and refuses to overwrite a file that changed on disk since it was loaded
// or saved. Not thread-safe: one call at a time.

#include <cstddef>
#include <string>
#include <vector>

#include "zunaiExplain.h"
#include "zunaiGame.h"
#include "zunaiGround.h"
#include "zunaiLevelCheck.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"

// Coordinates beyond this are refused: the module's arithmetic is in floats.
constexpr float zunaiEditMaxCoordinate = 1.0e6f;

// One path as drawPaths draws it: its lines in the order drawn.
struct zunaiDrawnLine {
    zunaiPoint from, to;
};
struct zunaiDrawnRun {
    enum class Role { Stored, Recording, Selected } role = Role::Stored;
    int path = -1;                    // place in the database; -1 for the recording
    unsigned long colour = 0;         // 0x00RRGGBB
    std::vector<zunaiDrawnLine> lines;
};

struct zunaiEditorState {
    int triangles = 0;
    zunaiPoint levelMin, levelMax;
    std::vector<std::vector<zunaiPoint>> paths;   // the database, in order
    bool recording = false;
    std::vector<zunaiPoint> recordingMarks;
    int selected = -1;                            // place of the selection, -1 for none
    bool dirty = false;
    std::vector<zunaiDrawnRun> drawn;             // as drawPaths drew them
};

enum class zunaiSaveOutcome {
    Saved,
    ChangedOnDisk,   // refused: the file is not the one loaded or last saved
    Failed,          // the backup or the module's save failed; the file is as it was
};

// The tuning of a chained route request; the module's defaults.
struct zunaiEditRoute {
    zunaiPointInput from, to;
    zunaiWay way = zunaiWay::Chained;
    zunAIPathMgr::pathInfo tuning;
};

class zunaiEditor {
public:
    // Loads the level and the database (none yet is an empty database).
    // Throws zunaiError.
    explicit zunaiEditor(const zunaiGame& game);

    zunaiEditorState state();
    bool dirty() const { return dirty_; }

    // The module's editing members; each answers what the module answered
    // (false: nothing to do, nothing changed). Points are checked first:
    // zunaiError for one that is not finite, beyond zunaiEditMaxCoordinate,
    // or on the ground where there is none.
    bool addMark(const zunaiPointInput& at);
    bool undoMark();
    bool commitRecording();
    bool selectNearest(const zunaiPointInput& at);
    bool deleteSelected();

    // saveAllPaths, the previous file kept as paths.qzt.bak beside it.
    zunaiSaveOutcome save(bool force);
    // Drops every edit and the recording, and loads the file as it is now.
    // Throws zunaiError (nothing changed) when it exists but can't be read.
    void reload();

    // A route over the database as it stands (saved or not), explained.
    zunaiExplanation route(const zunaiEditRoute& request);

    // The database as it stands (saved or not) checked as `zunai check
    // --level` checks a file: the text the module's saveAllPaths would
    // write, what loading keeps of it, and the level's problems with it. A
    // recording under way is not part of it, as it is not part of a save.
    struct Check {
        zunaiCheckReport file;
        zunaiLevelCheckReport level;
    };
    Check check();

    // The point a designer means: checked (zunaiError for one that is not
    // finite or beyond zunaiEditMaxCoordinate), and put on the ground when
    // given without height.
    zunaiPoint resolve(const zunaiPointInput& at);
    // The floors below (x, y), highest first.
    zunaiProbe probe(const zunaiPointInput& at);

    const zunaiGame& game() const { return game_; }
    const zunaiLevelMesh& level() const { return session_.mesh; }

private:
    void rememberFile();
    bool fileChanged() const;

    zunaiGame game_;
    zunaiSession session_;
    bool dirty_ = false;
    bool fileExisted_ = false;
    std::size_t fileHash_ = 0;
    std::size_t fileSize_ = 0;
};

#endif
