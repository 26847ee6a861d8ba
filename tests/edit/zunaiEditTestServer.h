#ifndef ZUNAI_EDIT_TEST_SERVER_H
#define ZUNAI_EDIT_TEST_SERVER_H

// The editor's server on a scratch copy of the sample game directory, on a
// free port of 127.0.0.1, with a client to it.

#include <httplib.h>

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

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

    static zunaiEditReply reply(const httplib::Result& r)
    {
        if (!r)
            return {};
        return {r->status, nlohmann::json::parse(r->body, nullptr, false)};
    }
    zunaiEditReply get(const std::string& path) { return reply(client->Get(path.c_str())); }
    zunaiEditReply post(const std::string& path, const std::string& body = "")
    {
        return reply(client->Post(path.c_str(), body, "application/json"));
    }
    nlohmann::json state() { return get("/api/state").body; }
    std::string fileText() const { return zunReadFile(scratch->database()); }

    std::unique_ptr<zunScratchGame> scratch;
    std::unique_ptr<zunaiEditor> editor;
    std::unique_ptr<zunaiEditServer> server;
    std::thread serving;
    std::unique_ptr<httplib::Client> client;
};

#endif
