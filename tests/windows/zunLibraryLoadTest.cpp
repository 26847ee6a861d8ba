// The module as a host sees it on Windows: loaded by name at run time, its
// engine found through the exported factory. This program does not link the
// module, so the load below is the first one and runs the library entry
// routine and the module's static initialisation.
#include <windows.h>

#include <gtest/gtest.h>

#include "engine/zunAIEngine.h"

namespace {

using CreateEngine = zunAIEngine* (*)();

class zunLibraryLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryA("zunAIEngine.dll");
        ASSERT_NE(module, nullptr) << "LoadLibrary failed, error " << GetLastError();
    }
    void TearDown() override
    {
        if (module) {
            EXPECT_NE(FreeLibrary(module), 0);
        }
    }

    CreateEngine factory() const
    {
        return reinterpret_cast<CreateEngine>(reinterpret_cast<void*>(GetProcAddress(module, "zunCreateEngine")));
    }
    zunAIEngine* exportedEngine() const
    {
        return reinterpret_cast<zunAIEngine*>(reinterpret_cast<void*>(GetProcAddress(module, "theAIEngine")));
    }

    HMODULE module = nullptr;
};

TEST_F(zunLibraryLoad, FactoryAnswersTheExportedEngineEveryTime)
{
    CreateEngine create = factory();
    ASSERT_NE(create, nullptr) << "zunCreateEngine is not exported under its plain name";
    zunAIEngine* engine = exportedEngine();
    ASSERT_NE(engine, nullptr) << "theAIEngine is not exported";

    zunAIEngine* first = create();
    zunAIEngine* second = create();
    EXPECT_EQ(first, engine);
    EXPECT_EQ(second, engine);
}

TEST_F(zunLibraryLoad, EngineOperationsThroughTheFactoryPointer)
{
    CreateEngine create = factory();
    ASSERT_NE(create, nullptr);
    zunAIEngine* engine = create();
    ASSERT_NE(engine, nullptr);

    // Reverse and repeated order too: the operations keep no state.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(engine->vtlUpdateConfig(), 1);
        EXPECT_EQ(engine->vtlGetFloat(), 0.0f);
        EXPECT_EQ(engine->vtlTerm(), 1);
        EXPECT_EQ(engine->vtlInit(), 1);
    }
}

TEST_F(zunLibraryLoad, HostLibrariesComeWithTheModule)
{
    // The module imports the host's core and render libraries by these names.
    EXPECT_NE(GetModuleHandleA("zunCoreEngine.dll"), nullptr);
    EXPECT_NE(GetModuleHandleA("zunRenderEngine.dll"), nullptr);
}

TEST(zunLibraryReload, UnloadAndLoadAgain)
{
    // Each load runs the entry routine for process attach, each unload for
    // detach; the engine is usable after every load.
    for (int round = 0; round < 3; ++round) {
        HMODULE module = LoadLibraryA("zunAIEngine.dll");
        ASSERT_NE(module, nullptr) << "round " << round << ", error " << GetLastError();
        auto create = reinterpret_cast<CreateEngine>(reinterpret_cast<void*>(GetProcAddress(module, "zunCreateEngine")));
        ASSERT_NE(create, nullptr);
        EXPECT_EQ(create()->vtlInit(), 1);
        EXPECT_NE(FreeLibrary(module), 0);
    }
}

} // namespace
