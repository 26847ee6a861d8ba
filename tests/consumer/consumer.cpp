// A host's first lines: the one module header, the stand-in's controls, and
// the engine from the factory.
#include <cstdio>

#include "standin/zunStandIn.h"
#include "zunAI.h"

int main()
{
    zunStandIn::reset();
    zunAIEngine* engine = zunCreateEngine();
    if (engine != &theAIEngine || engine->vtlInit() != 1)
        return 1;
    zunAIPath* path = new zunAIPath;
    if (!path)
        return 1;
    delete path;
    std::printf("consumer: engine %s, %lld live blocks\n", engine == zunCreateEngine() ? "ok" : "differs",
                zunStandIn::allocStats().liveBlocks);
    return zunStandIn::allocStats().liveBlocks == 0 ? 0 : 1;
}
