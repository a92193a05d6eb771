#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <gtest/gtest.h>

#include <csignal>

using namespace brenmark;

TEST(ModuleCallGuard, ExceptionBecomesModuleCallErrorWithItsText)
{
    try {
        guardModuleCall([] { throw std::runtime_error("disk full"); });
        FAIL() << "no error raised";
    } catch (const ModuleCallError &error) {
        EXPECT_STREQ(error.what(), "disk full");
    }
}

TEST(ModuleCallGuard, FaultsBecomeErrorsAndTheGuardStaysUsable)
{
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        EXPECT_THROW(guardModuleCall([signal] { std::raise(signal); }), ModuleCallError) << signal;
    }
    volatile int *nowhere = nullptr;
    EXPECT_THROW(guardModuleCall([nowhere] { *nowhere = 1; }), ModuleCallError);
    int calls = 0;
    guardModuleCall([&calls] { ++calls; });
    EXPECT_EQ(calls, 1);
}

TEST(ModuleCallGuard, NestedGuardsEachCatchTheirOwnFault)
{
    bool innerCaught = false;
    guardModuleCall([&innerCaught] {
        try {
            guardModuleCall([] { std::raise(SIGSEGV); });
        } catch (const ModuleCallError &) {
            innerCaught = true;
        }
    });
    EXPECT_TRUE(innerCaught);
    EXPECT_THROW(guardModuleCall([] { guardModuleCall([] {}); std::raise(SIGSEGV); }), ModuleCallError);
}

TEST(ModuleLibrary, LoadsAFixtureAndFindsItsExportsOnly)
{
    std::string error;
    auto library = ModuleLibrary::open(BRENMARK_FIXTURE_DIR "/fixture_minimal.so", &error);
    ASSERT_TRUE(library) << error;
    EXPECT_NE(moduleSymbol(library->handle(), "getInfo"), nullptr);
    EXPECT_EQ(moduleSymbol(library->handle(), "process"), nullptr);
    EXPECT_EQ(moduleSymbol(nullptr, "getInfo"), nullptr);
}

TEST(ModuleLibrary, MissingFileGivesNullWithTheLoadersReason)
{
    std::string error;
    EXPECT_FALSE(ModuleLibrary::open("/nonexistent/module.so", &error));
    EXPECT_NE(error.find("module.so"), std::string::npos) << error;
}
