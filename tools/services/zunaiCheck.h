#ifndef ZUNAI_CHECK_H
#define ZUNAI_CHECK_H

// What loading a path database file keeps and what it never reaches.
//
// The file is read as the host's script reads it (`NAME = NUMBER;` lines,
// blanks and `;` optional, CR LF accepted, other lines ignored, the last
// assignment to a name wins), and the module's loading rules are applied to
// the names: path numbers from 0 until the first without mark 0's X, mark
// numbers from 0 until the first without X, Y or Z; a path whose mark 0 has
// X but lacks Y or Z gives no path and loading goes on with the next number.

#include <filesystem>
#include <string>
#include <vector>

#include "zunaiPoint.h"

struct zunaiCheckedPath {
    int number = 0;                   // its number in the file
    int loadsAs = 0;                  // its place among the loaded paths
    std::vector<zunaiPoint> marks;    // the marks loading gives it, in order
    std::vector<int> markLines;       // the line of each mark's X statement
    int firstLine = 0, lastLine = 0;  // lines of the statements it is read from
};

struct zunaiLostStatement {
    int line = 0;
    std::string name;
    std::string reason;
};

struct zunaiCheckNote {
    int line = 0;
    std::string text;
};

struct zunaiCheckReport {
    std::string file;                          // as shown to the user
    std::vector<zunaiCheckedPath> paths;       // the paths that load, in order
    int marks = 0;                             // marks that load, all paths
    int statements = 0;                        // assignment statements the script reads
    std::vector<zunaiLostStatement> lost;      // statements loading never reaches, by line
    std::vector<zunaiCheckNote> notes;         // things worth knowing that lose nothing
    bool whole() const { return lost.empty(); }
};

// Checks the text of a database file.
zunaiCheckReport zunaiCheckText(const std::string& text);

// Checks a file; false when it can't be read.
bool zunaiCheckFile(const std::filesystem::path& path, zunaiCheckReport& report);

#endif
