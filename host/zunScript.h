#ifndef ZUN_SCRIPT_H
#define ZUN_SCRIPT_H

#include "host/zunExport.h"

// A script of named assignments, held in memory, read from and written to a
// file. Built on the caller's stack and gone when the caller returns.
class ZUNCORE_API zunScript {
public:
    explicit zunScript(char* title);       // title heads a saved file; null for a script to load
    ~zunScript();
    zunScript(const zunScript&) = delete;
    zunScript& operator=(const zunScript&) = delete;

    int load(char* path);                                // nonzero when the file was read
    int evalStatement(char* name, float* value, int);    // nonzero and *value set when name is assigned
    int addStatement(char* text);                        // appends one statement
    int save(char* path, int);                           // title, then statements in order; 0 on failure

private:
    struct Contents;
    Contents* contents;
};

#endif
