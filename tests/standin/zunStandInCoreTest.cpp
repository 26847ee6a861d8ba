// The stand-in core: allocator accounting and fault injection, the engine
// log, and the script that the path database is stored in.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/zunCore.h"
#include "host/zunScript.h"
#include "standin/core/zunStandInCore.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class zunScriptTest : public zunTest {
protected:
    std::string at(const std::string& name) const { return (dir / name).string(); }
    zunScratchGame game{"zunai-core"};
    const fs::path dir = game.dir();
};

float valueOf(zunScript& script, const char* name) {
    float value = -1.0f;
    EXPECT_NE(script.evalStatement(const_cast<char*>(name), &value, 0), 0) << name;
    return value;
}

bool assigned(zunScript& script, const char* name) {
    float value = 0.0f;
    return script.evalStatement(const_cast<char*>(name), &value, 0) != 0;
}

char* text(const std::string& s) { return const_cast<char*>(s.c_str()); }

const char* const title = "KVR AI path database ----------------------------------------------------\n\n";

} // namespace

// --- allocator ---

using zunCoreAllocatorTest = zunTest;

// failAllocations(skip, count): which of a run of allocations succeed. Each
// run starts with resetCore, which clears the counts, the log and the failing
// but keeps the accounting of live blocks. What succeeds is counted in blocks
// and bytes, aligned to 16 and usable to its whole size.
TEST_F(zunCoreAllocatorTest, CountsAlignsAndFailsAfterSkipForCount) {
    void* held = theCore.coreNew(40);
    const auto heldStats = zunStandIn::allocStats();
    const unsigned sizes[] = {1000, 8, 0, 4096, 1, 100, 8};   // pooled and large blocks alike
    const struct {
        int skip, count;
        std::vector<bool> succeeded;
    } cases[] = {
        {1, -1, {true, false, false, false, false, false, false}},  // no end until reset
        {2, 3, {true, true, false, false, false, true, true}},
        {0, 0, {true, true, true, true, true, true, true}},         // nothing injected
    };
    for (const auto& c : cases) {
        theCore.dump(text("logged"));
        zunStandIn::resetCore();
        EXPECT_TRUE(zunStandIn::log().empty());
        EXPECT_EQ(zunStandIn::allocStats().liveBlocks, heldStats.liveBlocks);
        EXPECT_EQ(zunStandIn::allocStats().liveBytes, heldStats.liveBytes);
        zunStandIn::failAllocations(c.skip, c.count);
        std::vector<bool> got;
        std::vector<void*> blocks;
        long long bytes = 0;
        for (std::size_t i = 0; i < c.succeeded.size(); ++i) {
            void* block = theCore.coreNew(sizes[i]);
            got.push_back(block != nullptr);
            if (!block)
                continue;
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u) << sizes[i];
            std::memset(block, 0xAB, sizes[i]);
            blocks.push_back(block);
            bytes += sizes[i];
        }
        EXPECT_EQ(got, c.succeeded) << c.skip << ", " << c.count;
        const auto stats = zunStandIn::allocStats();
        EXPECT_EQ(stats.allocations, long(blocks.size()));
        EXPECT_EQ(stats.failures, long(got.size() - blocks.size()));
        EXPECT_EQ(stats.liveBlocks - heldStats.liveBlocks, long(blocks.size()));
        EXPECT_EQ(stats.liveBytes - heldStats.liveBytes, bytes);
        for (void* block : blocks)
            theCore.coreDelete(block);
    }
    theCore.coreDelete(nullptr);
    EXPECT_EQ(zunStandIn::allocStats().liveBytes, heldStats.liveBytes);
    theCore.coreDelete(held);
    EXPECT_EQ(zunStandIn::allocStats().liveBytes, heldStats.liveBytes - 40);
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST_F(zunCoreAllocatorTest, ReleasingABlockTwiceStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            void* block = theCore.coreNew(32);
            theCore.coreDelete(block);
            theCore.coreDelete(block);
        },
        "");
}
#endif

// --- log ---

using zunCoreLogTest = zunTest;

// Every message in order (a null one left out), echoed to stderr only when
// ZUNAI_LOG asks for it.
TEST_F(zunCoreLogTest, KeepsEveryMessageAndEchoesWhenAsked) {
    auto setLogEnv = [](const char* value) {
#if defined(_WIN32)
        _putenv_s("ZUNAI_LOG", value ? value : "");
#else
        if (value)
            setenv("ZUNAI_LOG", value, 1);
        else
            unsetenv("ZUNAI_LOG");
#endif
    };
    ::testing::internal::CaptureStderr();
    setLogEnv("stderr");
    theCore.dump(text("AI: PathMgr->Loaded paths successfully."));
    theCore.dump(nullptr);
    setLogEnv("stdout");
    static_cast<zunLog&>(theCore).dump(text(""));
    setLogEnv(nullptr);
    theCore.dump(text("second"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "AI: PathMgr->Loaded paths successfully.\n");
    EXPECT_EQ(zunStandIn::log(), (std::vector<std::string>{"AI: PathMgr->Loaded paths successfully.", "", "second"}));
    zunStandIn::clearLog();
    EXPECT_TRUE(zunStandIn::log().empty());
}

// --- script ---

// The path database's own statements, written and read back, are covered
// with the module's save and load; here what the script adds to them. Either
// slash separates folders, and missing ones are made.
TEST_F(zunScriptTest, SavesStatementsVerbatimWithLineEndsAndReadsThemBack) {
    zunScript out(const_cast<char*>(title));
    ASSERT_EQ(out.save(text(at("empty.qzt")), 0), 1);
    EXPECT_EQ(zunReadFile(at("empty.qzt")), title);
    EXPECT_EQ(out.addStatement(nullptr), 0);
    for (const char* s : {"Path ID:0 ---\n", "Path0Mark0X = 1.500000;", "", "Path0Mark0Y = -123456.789000;", "\n"})
        EXPECT_NE(out.addStatement(text(s)), 0);
    const std::string path = dir.string() + "\\data\\memory/levels\\paths.qzt";
    ASSERT_EQ(out.save(text(path), 0), 1);
    EXPECT_EQ(zunReadFile(dir / "data" / "memory" / "levels" / "paths.qzt"), std::string(title) + "Path ID:0 ---\nPath0Mark0X = 1.500000;\n\nPath0Mark0Y = -123456.789000;\n\n");

    zunScript in(nullptr);
    ASSERT_NE(in.load(text(path)), 0);
    EXPECT_EQ(valueOf(in, "Path0Mark0X"), 1.5f);
    EXPECT_EQ(valueOf(in, "Path0Mark0Y"), -123456.789f);
    float untouched = 7.0f;
    EXPECT_EQ(in.evalStatement(text("Path0Mark0Z"), &untouched, 0), 0);
    EXPECT_EQ(untouched, 7.0f);
    EXPECT_FALSE(assigned(in, "Path"));
    EXPECT_EQ(in.evalStatement(nullptr, &untouched, 0), 0);
}

TEST_F(zunScriptTest, LoadsForgivinglyAndReplacesEverythingOnTheNextLoad) {
    zunWriteFile(at("loose.qzt"),
             "KVR AI path database --------\r\n"
             "\r\n"
             "Path ID:0 ------\r\n"
             "Plain=1\r\n"
             "  Spaced \t =\t 2.5 ;  \r\n"
             "NoSemicolon = -3\n"
             "Twice = 1;\n"
             "Twice = 2;\n"
             "Plus = +4.5;\n"
             "Exponent = 1.5e3;\n"
             "Comma = 6,25;\n"
             "Trailing = 7; junk\n"
             "Partial = 8.5x;\n"
             "Huge = 1e999;\n"
             "Empty = ;\n"
             "NotANumber = abc;\n"
             "Two Words = 9;\n"
             "Double = --1;\n"
             "Comma2 = 1,5,5;\n"
             "= 10;\n"
             "Last = 11;");   // no line end at the very end
    zunScript script(nullptr);
    ASSERT_NE(script.load(text(at("loose.qzt"))), 0);
    EXPECT_EQ(valueOf(script, "Plain"), 1.0f);
    EXPECT_EQ(valueOf(script, "Spaced"), 2.5f);
    EXPECT_EQ(valueOf(script, "NoSemicolon"), -3.0f);
    EXPECT_EQ(valueOf(script, "Twice"), 2.0f);
    EXPECT_EQ(valueOf(script, "Plus"), 4.5f);
    EXPECT_EQ(valueOf(script, "Exponent"), 1500.0f);
    EXPECT_EQ(valueOf(script, "Comma"), 6.25f);
    EXPECT_EQ(valueOf(script, "Last"), 11.0f);
    for (const char* ignored : {"Trailing", "Partial", "Huge", "Empty", "NotANumber", "Two", "Words", "Double", "Comma2", ""})
        EXPECT_FALSE(assigned(script, ignored)) << ignored;

    // A load replaces every assignment; a failed one keeps them.
    zunWriteFile(at("b.qzt"), "A = 3;\n");
    ASSERT_NE(script.load(text(at("b.qzt"))), 0);
    EXPECT_EQ(valueOf(script, "A"), 3.0f);
    EXPECT_FALSE(assigned(script, "Plain"));

    EXPECT_EQ(script.load(text(at("missing.qzt"))), 0);
    EXPECT_EQ(script.load(text(dir.string())), 0);   // a folder can't be read
    EXPECT_EQ(script.load(nullptr), 0);
    EXPECT_EQ(valueOf(script, "A"), 3.0f);

    // Added statements assign on top of what was loaded.
    script.addStatement(text("A = 4;"));
    script.addStatement(text("C = 5;"));
    EXPECT_EQ(valueOf(script, "A"), 4.0f);
    EXPECT_EQ(valueOf(script, "C"), 5.0f);
    for (int i = 0; i < 300; ++i) {   // well past the table's first size
        script.addStatement(text("N" + std::to_string(i) + " = " + std::to_string(i) + ";"));
        if (i % 50 == 0) {
            EXPECT_TRUE(assigned(script, "A"));
        }
    }
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(valueOf(script, ("N" + std::to_string(i)).c_str()), float(i));
    EXPECT_EQ(valueOf(script, "A"), 4.0f);
}

TEST_F(zunScriptTest, AFailedSaveAnswersZeroAndLeavesTheOldFileWhole) {
    zunWriteFile(at("blocker"), "A = 1;\n");
    zunWriteFile(at("paths.qzt"), "Old = 1;\n");
    zunScript script(nullptr);   // untitled: the statements alone
    script.addStatement(text("A = 2;"));

    // parent is a regular file
    EXPECT_EQ(script.save(text(at("blocker/paths.qzt")), 0), 0);
    EXPECT_EQ(script.save(text(at("blocker/sub/paths.qzt")), 0), 0);
    EXPECT_EQ(zunReadFile(at("blocker")), "A = 1;\n");

    // target is a folder: the temporary file can't take its place
    fs::create_directories(dir / "folder" / "inside");
    EXPECT_EQ(script.save(text(at("folder")), 0), 0);
    EXPECT_TRUE(fs::is_directory(dir / "folder" / "inside"));

    EXPECT_EQ(script.save(nullptr, 0), 0);
    EXPECT_EQ(script.save(text(""), 0), 0);

    // nothing left behind, and a good save still replaces the old file
    ASSERT_EQ(script.save(text(at("paths.qzt")), 0), 1);
    EXPECT_EQ(zunReadFile(at("paths.qzt")), "A = 2;\n");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bin", "blocker", "folder", "paths.qzt"}));
}
