// zunai: the AI module's path database and route finding on a game
// directory, without the game.

#include <iostream>
#include <string>
#include <vector>

#include "zunaiCommands.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zunaiMain(args, std::cout, std::cerr);
}
