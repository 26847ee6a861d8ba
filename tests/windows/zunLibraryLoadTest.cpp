// The module as a host sees it on Windows: loaded by name at run time, its
// engine found through the exported factory. This program does not link the
// module, so the first load runs the library entry routine and the module's
// static initialisation; each unload runs the entry routine for detach.
#include <windows.h>

#include <gtest/gtest.h>

#include "engine/zunAIEngine.h"

namespace {

using CreateEngine = zunAIEngine* (*)();

TEST(zunLibraryLoad, FactoryEngineAndHostLibrariesOnEveryLoad)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("load " + std::to_string(round));
        HMODULE module = LoadLibraryA("zunAIEngine.dll");
        ASSERT_NE(module, nullptr) << "LoadLibrary failed, error " << GetLastError();
        auto create = reinterpret_cast<CreateEngine>(reinterpret_cast<void*>(GetProcAddress(module, "zunCreateEngine")));
        ASSERT_NE(create, nullptr) << "zunCreateEngine is not exported under its plain name";
        auto* exported = reinterpret_cast<zunAIEngine*>(reinterpret_cast<void*>(GetProcAddress(module, "theAIEngine")));
        ASSERT_NE(exported, nullptr) << "theAIEngine is not exported";
        EXPECT_EQ(create(), exported);
        EXPECT_EQ(create(), exported);

        // The operations keep no state: any order, any number of times.
        zunAIEngine* engine = create();
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(engine->vtlUpdateConfig(), 1);
            EXPECT_EQ(engine->vtlGetFloat(), 0.0f);
            EXPECT_EQ(engine->vtlTerm(), 1);
            EXPECT_EQ(engine->vtlInit(), 1);
        }
        // The module imports the host's core and render libraries by these names.
        EXPECT_NE(GetModuleHandleA("zunCoreEngine.dll"), nullptr);
        EXPECT_NE(GetModuleHandleA("zunRenderEngine.dll"), nullptr);
        EXPECT_NE(FreeLibrary(module), 0);
    }
}

} // namespace
