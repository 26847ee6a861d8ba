// The MSVC-ABI zunCoreEngine.dll: the host's core classes under MSVC's
// decorated names, each member handed to the stand-in's core in
// zunStandInBridge.dll.
#include "host/zunCore.h"
#include "host/zunScript.h"
#include "standin/zunStandInBridge.h"

zunCore theCore;

void zunLog::dump(char* text) { zunBridgeLogDump(text); }
void* zunCore::coreNew(unsigned int size) { return zunBridgeCoreNew(size); }
void zunCore::coreDelete(void* block) { zunBridgeCoreDelete(block); }

// `contents` holds the stand-in's own script.
zunScript::zunScript(char* title) : contents(static_cast<Contents*>(zunBridgeScriptNew(title))) {}
zunScript::~zunScript() { zunBridgeScriptDelete(contents); }
int zunScript::load(char* path) { return zunBridgeScriptLoad(contents, path); }
int zunScript::evalStatement(char* name, float* value, int mode) { return zunBridgeScriptEval(contents, name, value, mode); }
int zunScript::addStatement(char* text) { return zunBridgeScriptAdd(contents, text); }
int zunScript::save(char* path, int mode) { return zunBridgeScriptSave(contents, path, mode); }
