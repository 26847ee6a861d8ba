#ifndef ZUNAI_EDIT_SERVER_H
#define ZUNAI_EDIT_SERVER_H

// The path editor's HTTP server on 127.0.0.1: the page, and a JSON API whose
// handlers only translate between HTTP and the editing service, one request
// at a time.

#include <memory>
#include <string>

#include "zunaiEditor.h"

// Requests with a body larger than this are refused with 413.
constexpr std::size_t zunaiEditMaxBody = 1024 * 1024;

class zunaiEditServer {
public:
    explicit zunaiEditServer(zunaiEditor& editor);
    ~zunaiEditServer();
    zunaiEditServer(const zunaiEditServer&) = delete;
    zunaiEditServer& operator=(const zunaiEditServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port); answers the port. Throws
    // zunaiError when the port can't be had.
    int bind(int port);
    // Serves until stop(); call after bind.
    void serve();
    // Safe from any thread; serve() returns.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

#endif
