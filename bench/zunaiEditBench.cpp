// The path editor's API on a copy of the sample: one HTTP request of each
// endpoint through 127.0.0.1, as the page makes them (server, editing
// service and the module together). Setup that a call needs (a recording,
// a selection) is made outside the timing.
#include <httplib.h>

#include <memory>
#include <stdexcept>
#include <thread>

#include "bench/zunBenchSupport.h"
#include "zunaiEditServer.h"

namespace {

class EditorOnSample {
public:
    EditorOnSample() : scratch("zunai-edit-bench", ZUNAI_SAMPLE_DIR)
    {
        zunaiGameOptions options;
        options.game = scratch.dir().string();
        editor = std::make_unique<zunaiEditor>(zunaiFindGame(options, true));
        server = std::make_unique<zunaiEditServer>(*editor);
        const int port = server->bind(0);
        serving = std::thread([this] { server->serve(); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_keep_alive(true);
        client->set_tcp_nodelay(true);
    }
    ~EditorOnSample()
    {
        client.reset();
        server->stop();
        serving.join();
    }

    void post(const char* path, const std::string& body = "")
    {
        auto r = client->Post(path, body, "application/json");
        if (!r || r->status != 200)
            throw std::runtime_error(std::string("failed: ") + path);
        benchmark::DoNotOptimize(r->body.data());
    }
    void get(const char* path)
    {
        auto r = client->Get(path);
        if (!r || r->status != 200)
            throw std::runtime_error(std::string("failed: ") + path);
        benchmark::DoNotOptimize(r->body.data());
    }

    zunScratchGame scratch;
    std::unique_ptr<zunaiEditor> editor;
    std::unique_ptr<zunaiEditServer> server;
    std::thread serving;
    std::unique_ptr<httplib::Client> client;
};

const char* const markA = R"({"at": [-150, -178]})";
const char* const markB = R"({"at": [-120, -178]})";

template <typename Setup, typename Call, typename Undo>
void measure(benchmark::State& state, Setup setup, Call call, Undo undo)
{
    zunStandIn::reset();
    EditorOnSample e;
    for (auto _ : state) {
        state.PauseTiming();
        setup(e);
        state.ResumeTiming();
        call(e);
        state.PauseTiming();
        undo(e);
        state.ResumeTiming();
    }
}

void nothing(EditorOnSample&) {}

void BM_GetState(benchmark::State& s) { measure(s, nothing, [](auto& e) { e.get("/api/state"); }, nothing); }
void BM_GetLevel(benchmark::State& s) { measure(s, nothing, [](auto& e) { e.get("/api/level"); }, nothing); }
void BM_GetProbe(benchmark::State& s) { measure(s, nothing, [](auto& e) { e.get("/api/probe?x=-150&y=-178"); }, nothing); }

void BM_PostMark(benchmark::State& s)
{
    measure(s, nothing, [](auto& e) { e.post("/api/marks", markA); }, [](auto& e) { e.post("/api/marks/undo"); });
}
void BM_PostUndo(benchmark::State& s)
{
    measure(s, [](auto& e) { e.post("/api/marks", markA); e.post("/api/marks", markB); },
            [](auto& e) { e.post("/api/marks/undo"); }, [](auto& e) { e.post("/api/marks/undo"); });
}
void BM_PostCommit(benchmark::State& s)
{
    measure(s, [](auto& e) { e.post("/api/marks", markA); e.post("/api/marks", markB); },
            [](auto& e) { e.post("/api/recording/commit"); },
            [](auto& e) { e.post("/api/select", R"({"at": [-120, -178]})"); e.post("/api/selected/delete"); });
}
void BM_PostSelect(benchmark::State& s)
{
    measure(s, nothing, [](auto& e) { e.post("/api/select", R"({"at": [-160, -168, 24.7]})"); }, nothing);
}
void BM_PostDeleteSelected(benchmark::State& s)
{
    measure(s, [](auto& e) {
                e.post("/api/marks", markA);
                e.post("/api/marks", markB);
                e.post("/api/recording/commit");
                e.post("/api/select", R"({"at": [-120, -178]})");
            },
            [](auto& e) { e.post("/api/selected/delete"); }, nothing);
}
void BM_PostSave(benchmark::State& s) { measure(s, nothing, [](auto& e) { e.post("/api/save"); }, nothing); }
void BM_PostReload(benchmark::State& s) { measure(s, nothing, [](auto& e) { e.post("/api/reload"); }, nothing); }
void BM_PostRouteChained(benchmark::State& s)
{
    measure(s, nothing, [](auto& e) { e.post("/api/route", R"({"from": [-150, -178], "to": [140, 158], "kind": "chained"})"); },
            nothing);
}
void BM_PostRouteWalked(benchmark::State& s)
{
    measure(s, nothing, [](auto& e) { e.post("/api/route", R"({"from": [-150, -178], "to": [140, 158], "kind": "walked"})"); },
            nothing);
}

} // namespace

BENCHMARK(BM_GetState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetProbe)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostMark)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostUndo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostCommit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostSelect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostDeleteSelected)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostReload)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostRouteChained)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostRouteWalked)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
