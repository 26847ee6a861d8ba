#ifndef ZUNAI_EDIT_RUN_H
#define ZUNAI_EDIT_RUN_H

// `zunai edit`: the editor on a game directory, served on 127.0.0.1 until
// Ctrl-C or SIGTERM.

#include <ostream>

#include "zunaiGame.h"

// The port of `zunai edit` when none is given.
constexpr int zunaiEditDefaultPort = 8642;

// Loads the game, binds 127.0.0.1:port (0: a free one), prints
// "http://127.0.0.1:PORT/" on one line of `out`, and serves until SIGINT or
// SIGTERM. Throws zunaiError when the game can't be loaded or the port had.
void zunaiRunEditor(const zunaiGame& game, int port, std::ostream& out);

#endif
