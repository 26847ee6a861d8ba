#ifndef ZUNAI_EDIT_TEST_SERVER_H
#define ZUNAI_EDIT_TEST_SERVER_H

// The editor's server on a scratch copy of the sample game directory, on a
// free port of 127.0.0.1, with a client to it, and requests checked in turn.

#include <httplib.h>

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunScratchGame.h"
#include "zunaiEditServer.h"

struct zunaiEditReply {
    int status = 0;
    nlohmann::json body;
};

class zunaiEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zunStandIn::reset();
        scratch = std::make_unique<zunScratchGame>("zunai-edit", ZUNAI_SAMPLE);
        zunaiGameOptions options;
        options.game = scratch->dir().string();
        editor = std::make_unique<zunaiEditor>(zunaiFindGame(options, true));
        server = std::make_unique<zunaiEditServer>(*editor);
        const int port = server->bind(0);
        serving = std::thread([this] { server->serve(); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
    }
    void TearDown() override
    {
        client.reset();
        server->stop();
        serving.join();
        server.reset();
        editor.reset();
        zunStandIn::reset();
    }

    zunaiEditReply send(const std::string& method, const std::string& path, const std::string& body = "")
    {
        const char* type = "application/json";
        const httplib::Result r = method == "GET"      ? client->Get(path)
                                  : method == "DELETE" ? client->Delete(path)
                                  : method == "PUT"    ? client->Put(path, body, type)
                                                       : client->Post(path, body, type);
        return r ? zunaiEditReply{r->status, nlohmann::json::parse(r->body, nullptr, false)} : zunaiEditReply{};
    }
    zunaiEditReply get(const std::string& path) { return send("GET", path); }
    zunaiEditReply post(const std::string& path, const std::string& body = "") { return send("POST", path, body); }
    nlohmann::json state() { return get("/api/state").body; }
    std::string fileText() const { return zunReadFile(scratch->database()); }

    // A request and its answer: the status and the value at each JSON pointer.
    struct Step {
        std::string method, path, body;
        int status;
        std::vector<std::pair<std::string, nlohmann::json>> fields;
    };
    void expectSteps(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            SCOPED_TRACE(s.method + " " + s.path + " " + s.body.substr(0, 60));
            const zunaiEditReply r = send(s.method, s.path, s.body);
            EXPECT_EQ(r.status, s.status);
            for (const auto& [pointer, value] : s.fields) {
                const nlohmann::json::json_pointer at(pointer);
                EXPECT_EQ(r.body.is_object() && r.body.contains(at) ? r.body[at] : absent, value) << pointer;
            }
        }
    }
    const nlohmann::json absent = "(absent)";

    std::unique_ptr<zunScratchGame> scratch;
    std::unique_ptr<zunaiEditor> editor;
    std::unique_ptr<zunaiEditServer> server;
    std::thread serving;
    std::unique_ptr<httplib::Client> client;
};

#endif
