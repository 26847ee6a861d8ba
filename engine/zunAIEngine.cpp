#include "engine/zunAIEngine.h"

zunAIEngine theAIEngine;

int zunAIEngine::vtlInit() { return 1; }

int zunAIEngine::vtlTerm() { return 1; }

float zunAIEngine::vtlGetFloat() { return 0.0f; }

int zunAIEngine::vtlUpdateConfig() { return 1; }

extern "C" zunAIEngine* zunCreateEngine() { return &theAIEngine; }
