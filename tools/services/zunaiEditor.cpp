// The editing session: the module's editing members on the game's database,
// with what a designer needs around them (unsaved changes, backups, files
// changed behind the session's back).

#include "zunaiEditor.h"

#include <cmath>
#include <functional>
#include <system_error>

#include "standin/zunStandIn.h"
#include "zunaiDatabaseText.h"
#include "zunaiError.h"
#include "zunaiFiles.h"

namespace fs = std::filesystem;

namespace {

zunaiPoint pointOf(const cVector4& v)
{
    return zunaiPoint{v.x, v.y, v.z};
}

std::vector<zunaiPoint> marksOf(zunAIPath* path)
{
    std::vector<zunaiPoint> marks;
    path->marks.walk([&](zunAIMark* mark) { marks.push_back(pointOf(mark->getPosition())); });
    return marks;
}

// The lines that drawPaths drew, cut into one run per drawn path: drawPath
// draws 4 x (n - 1) lines for the n marks its walk meets, and nothing for
// fewer than two.
class RunCutter {
public:
    explicit RunCutter(std::vector<zunaiDrawnRun>& out) : lines_(zunStandIn::lines()), out_(out) {}

    void take(zunAIPath* path, zunaiDrawnRun::Role role, int number)
    {
        const std::size_t marks = marksOf(path).size();
        if (marks < 2)
            return;
        const std::size_t count = 4 * (marks - 1);
        if (next_ + count > lines_.size())
            throw zunaiError{"the module drew fewer lines than its paths have segments"};
        zunaiDrawnRun run;
        run.role = role;
        run.path = number;
        run.colour = lines_[next_].colour;
        for (std::size_t i = next_; i < next_ + count; ++i)
            run.lines.push_back(zunaiDrawnLine{pointOf(lines_[i].from), pointOf(lines_[i].to)});
        next_ += count;
        out_.push_back(std::move(run));
    }

    void finish() const
    {
        if (next_ != lines_.size())
            throw zunaiError{"the module drew lines its paths don't account for"};
    }

private:
    const std::vector<zunStandIn::Line>& lines_;
    std::vector<zunaiDrawnRun>& out_;
    std::size_t next_ = 0;
};

bool usable(float v)
{
    return std::isfinite(v) && std::fabs(v) <= zunaiEditMaxCoordinate;
}

void checkRange(const zunaiPointInput& at)
{
    if (!usable(at.x) || !usable(at.y) || (at.z && !usable(*at.z)))
        throw zunaiError{"a point's coordinates must be finite numbers within +-1000000"};
}

} // namespace

zunaiEditor::zunaiEditor(const zunaiGame& game) : game_(game), session_(game_, false)
{
    if (session_.mesh.triangles.empty())
        throw zunaiError{"level file " + game_.show(game_.level) + " has no triangles"};
    rememberFile();
}

void zunaiEditor::rememberFile()
{
    std::string text;
    fileExisted_ = zunaiReadFile(game_.database, text);
    fileHash_ = std::hash<std::string>{}(text);
    fileSize_ = text.size();
}

bool zunaiEditor::fileChanged() const
{
    std::string text;
    const bool exists = zunaiReadFile(game_.database, text);
    if (exists != fileExisted_)
        return true;
    return exists && (text.size() != fileSize_ || std::hash<std::string>{}(text) != fileHash_);
}

zunaiEditorState zunaiEditor::state()
{
    zunAIPathMgr& db = session_.database;
    zunaiEditorState s;
    s.triangles = static_cast<int>(session_.mesh.triangles.size());
    s.levelMin = session_.mesh.min;
    s.levelMax = session_.mesh.max;
    db.paths.walk([&](zunAIPath* path) { s.paths.push_back(marksOf(path)); });
    s.recording = db.newPath != nullptr;
    if (db.newPath)
        s.recordingMarks = marksOf(db.newPath);
    s.selected = db.selectedPath ? zunaiPlaceIn(db.paths, db.selectedPath) : -1;
    s.dirty = dirty_;

    zunStandIn::clearCapture();
    db.drawPaths();
    RunCutter cutter(s.drawn);
    int number = 0;
    db.paths.walk([&](zunAIPath* path) { cutter.take(path, zunaiDrawnRun::Role::Stored, number++); });
    if (db.newPath)
        cutter.take(db.newPath, zunaiDrawnRun::Role::Recording, -1);
    if (db.selectedPath)
        cutter.take(db.selectedPath, zunaiDrawnRun::Role::Selected, s.selected);
    cutter.finish();
    zunStandIn::clearCapture();
    return s;
}

zunaiPoint zunaiEditor::resolve(const zunaiPointInput& at)
{
    checkRange(at);
    return zunaiPlacePoint(session_.mesh, at).at;
}

zunaiProbe zunaiEditor::probe(const zunaiPointInput& at)
{
    checkRange(at);
    return zunaiProbePoint(session_.mesh, at);
}

bool zunaiEditor::addMark(const zunaiPointInput& at)
{
    const zunaiPoint p = resolve(at);
    cVector4 position(p.x, p.y, p.z);
    const bool done = session_.database.addNewMark(position) != 0;
    dirty_ = dirty_ || done;
    return done;
}

bool zunaiEditor::undoMark()
{
    const bool done = session_.database.deleteLastMark() != 0;
    dirty_ = dirty_ || done;
    return done;
}

bool zunaiEditor::commitRecording()
{
    const bool done = session_.database.saveNewPath() != 0;
    dirty_ = dirty_ || done;
    return done;
}

bool zunaiEditor::selectNearest(const zunaiPointInput& at)
{
    const zunaiPoint p = resolve(at);
    cVector4 point(p.x, p.y, p.z);
    return session_.database.selectClosestPath(point) != 0;
}

bool zunaiEditor::deleteSelected()
{
    const bool done = session_.database.deleteSelectedPath() != 0;
    dirty_ = dirty_ || done;
    return done;
}

zunaiSaveOutcome zunaiEditor::save(bool force)
{
    if (!force && fileChanged())
        return zunaiSaveOutcome::ChangedOnDisk;
    std::error_code ec;
    if (fs::exists(game_.database, ec)) {
        fs::path backup = game_.database;
        backup += ".bak";
        fs::copy_file(game_.database, backup, fs::copy_options::overwrite_existing, ec);
        if (ec)
            return zunaiSaveOutcome::Failed;
    }
    if (session_.database.saveAllPaths() == 0)
        return zunaiSaveOutcome::Failed;
    rememberFile();
    // A recording under way is not in the file.
    dirty_ = session_.database.newPath != nullptr;
    return zunaiSaveOutcome::Saved;
}

void zunaiEditor::reload()
{
    std::string text;
    std::error_code ec;
    const bool exists = fs::exists(game_.database, ec);
    if (exists && !zunaiReadFile(game_.database, text))
        throw zunaiError{"cannot read path database " + game_.show(game_.database)};

    zunAIPathMgr& db = session_.database;
    while (db.newPath)
        db.deleteLastMark();
    db.deleteAllPaths();
    if (exists) {
        std::string name = zunaiDatabaseName;
        if (!db.loadPaths(&name[0]))
            throw zunaiError{"cannot read path database " + game_.show(game_.database)};
    }
    rememberFile();
    dirty_ = false;
}

zunaiExplanation zunaiEditor::route(const zunaiEditRoute& request)
{
    zunaiRequest r;
    r.from = resolve(request.from);
    r.to = resolve(request.to);
    r.way = request.way;
    for (float v : {request.tuning.firstJoinDist, request.tuning.joinDist, request.tuning.minDot,
                    request.tuning.maxHeightDiff})
        if (!usable(v))
            throw zunaiError{"tuning values must be finite numbers within +-1000000"};
    zunaiExplanation explained = zunaiExplainRequest(session_, r, request.tuning);
    // The editor keeps no routes: each query stands alone.
    session_.routes.deleteAllPaths();
    return explained;
}

zunaiEditor::Check zunaiEditor::check()
{
    Check check;
    check.file = zunaiCheckText(zunaiDatabaseText(session_.database));
    check.file.file = game_.show(game_.database);
    check.level = zunaiCheckLevel(check.file);
    return check;
}
