// The editor's server: a table of endpoints, each a thin translation
// between HTTP and the editing service.

#include "zunaiEditServer.h"

#include <httplib.h>

#include <functional>
#include <mutex>
#include <vector>

#include "zunaiEditJson.h"
#include "zunaiEditPage.h"
#include "zunaiError.h"

using json = zunaiJson;

namespace {

// With its charset named, httplib leaves JSON uncompressed: its brotli at
// the highest quality took a minute for a state of 1,000 paths; locally
// there is nothing to gain.
const char* const jsonType = "application/json; charset=utf-8";

struct Answer {
    int status = 200;
    json body;
    std::string text;   // the body already written, when not empty
};

using Handler = std::function<Answer(const httplib::Request&)>;

struct Endpoint {
    std::string method;
    std::string path;
    Handler handler;
};

Answer ok(json body)
{
    return Answer{200, std::move(body), {}};
}

Answer error(int status, const std::string& message)
{
    return Answer{status, json{{"error", message}}, {}};
}

const char* statusText(int status)
{
    switch (status) {
    case 400:
        return "malformed request";
    case 404:
        return "no such path";
    case 405:
        return "method not allowed";
    case 409:
        return "conflict";
    case 413:
        return "request body larger than 1 MB";
    default:
        return "request failed";
    }
}

float queryNumber(const httplib::Request& req, const char* name)
{
    if (!req.has_param(name))
        throw zunaiError{std::string("missing query parameter ") + name};
    const std::string text = req.get_param_value(name);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v) || std::fabs(v) > zunaiEditMaxCoordinate)
        throw zunaiError{std::string("query parameter ") + name + " must be a finite number within +-1000000"};
    return static_cast<float>(v);
}

} // namespace

struct zunaiEditServer::Impl {
    zunaiEditor& editor;
    httplib::Server http;
    std::mutex oneAtATime;
    std::vector<Endpoint> endpoints;
    std::string levelText;   // the level never changes: written once

    explicit Impl(zunaiEditor& e) : editor(e) { declareEndpoints(); }

    json stateWith(bool done) const
    {
        json answer = zunaiEditJsonState(editor.state());
        answer["done"] = done;
        return answer;
    }

    void declareEndpoints()
    {
        auto post = [this](const char* path, std::function<Answer(const json&)> f) {
            endpoints.push_back({"POST", path, [f](const httplib::Request& req) { return f(zunaiEditBody(req.body)); }});
        };
        endpoints.push_back({"GET", "/api/state", [this](const httplib::Request&) {
                                 return ok(zunaiEditJsonState(editor.state()));
                             }});
        endpoints.push_back({"GET", "/api/level", [this](const httplib::Request&) {
                                 if (levelText.empty())
                                     levelText = zunaiEditLevelText(editor.level());
                                 return Answer{200, json(), levelText};
                             }});
        endpoints.push_back({"GET", "/api/probe", [this](const httplib::Request& req) {
                                 zunaiPointInput at{queryNumber(req, "x"), queryNumber(req, "y"), std::nullopt};
                                 if (req.has_param("z"))
                                     at.z = queryNumber(req, "z");
                                 return ok(zunaiProbeJson(editor.probe(at)));
                             }});
        post("/api/marks", [this](const json& body) {
            const zunaiPointInput at = zunaiEditReadPoint(body, "at");
            return ok(stateWith(editor.addMark(at)));
        });
        post("/api/marks/undo", [this](const json&) { return ok(stateWith(editor.undoMark())); });
        post("/api/recording/commit", [this](const json&) { return ok(stateWith(editor.commitRecording())); });
        post("/api/select", [this](const json& body) {
            const zunaiPointInput at = zunaiEditReadPoint(body, "at");
            return ok(stateWith(editor.selectNearest(at)));
        });
        post("/api/selected/delete", [this](const json&) { return ok(stateWith(editor.deleteSelected())); });
        post("/api/save", [this](const json& body) {
            switch (editor.save(zunaiEditReadFlag(body, "force", false))) {
            case zunaiSaveOutcome::ChangedOnDisk:
                return error(409, "the path database changed on disk since it was loaded or saved");
            case zunaiSaveOutcome::Failed:
                return error(500, "the path database could not be saved; the file is as it was");
            default:
                return ok(stateWith(true));
            }
        });
        post("/api/reload", [this](const json&) {
            editor.reload();
            return ok(stateWith(true));
        });
        endpoints.push_back({"GET", "/api/check", [this](const httplib::Request&) {
                                 return ok(zunaiEditJsonCheck(editor.check()));
                             }});
        post("/api/route", [this](const json& body) {
            const zunaiEditRoute request = zunaiEditReadRoute(body);
            return ok(zunaiEditJsonRoute(editor.route(request)));
        });
    }

    Answer answer(const httplib::Request& req)
    {
        const std::string method = req.method == "HEAD" ? "GET" : req.method;
        bool known = false;
        for (const auto& e : endpoints) {
            if (e.path != req.path)
                continue;
            known = true;
            if (e.method != method)
                continue;
            std::lock_guard<std::mutex> hold(oneAtATime);
            try {
                return e.handler(req);
            } catch (const zunaiError& failure) {
                return error(400, failure.message);
            } catch (const std::exception& failure) {
                return error(500, failure.what());
            }
        }
        return known ? error(405, std::string("method ") + req.method + " not allowed on " + req.path)
                     : error(404, "no such path: " + req.path);
    }

    void dispatch(const httplib::Request& req, httplib::Response& res)
    {
        res.set_header("Cache-Control", "no-store");
        if (req.path.rfind("/api/", 0) != 0) {
            const zunaiEditAsset* asset = zunaiEditFindAsset(req.path);
            if (asset && (req.method == "GET" || req.method == "HEAD")) {
                res.set_content(reinterpret_cast<const char*>(asset->data), asset->size, asset->type);
                return;
            }
            const Answer a = asset ? error(405, "method not allowed") : error(404, "no such path: " + req.path);
            res.status = a.status;
            res.set_content(a.body.dump(), jsonType);
            return;
        }
        const Answer a = answer(req);
        res.status = a.status;
        res.set_content(a.text.empty() ? a.body.dump() : a.text, jsonType);
    }

    void install()
    {
        const auto handler = [this](const httplib::Request& req, httplib::Response& res) { dispatch(req, res); };
        http.Get(".*", handler);
        http.Post(".*", handler);
        http.Put(".*", handler);
        http.Patch(".*", handler);
        http.Delete(".*", handler);
        http.Options(".*", handler);
        http.set_payload_max_length(zunaiEditMaxBody);
        // Answers leave at once: without it a small answer after a keep-alive
        // request waited for the client's delayed acknowledgement (~40 ms).
        http.set_tcp_nodelay(true);
        // Errors that httplib answers itself (a body too large, a request it
        // can't read) get a JSON body too.
        http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
            if (res.body.empty())
                res.set_content(json{{"error", statusText(res.status)}}.dump(), jsonType);
        });
    }
};

zunaiEditServer::zunaiEditServer(zunaiEditor& editor) : impl_(new Impl(editor))
{
    impl_->install();
}

zunaiEditServer::~zunaiEditServer() = default;

int zunaiEditServer::bind(int port)
{
    const int bound = port == 0 ? impl_->http.bind_to_any_port("127.0.0.1")
                                : (impl_->http.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0)
        throw zunaiError{"cannot listen on 127.0.0.1:" + std::to_string(port)};
    return bound;
}

void zunaiEditServer::serve()
{
    impl_->http.listen_after_bind();
}

void zunaiEditServer::stop()
{
    impl_->http.stop();
}
