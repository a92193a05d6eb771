// A chain of module actions loaded from the build's Plugins folder, and the
// CPU time of its preview over a list of names, as the host makes the calls:
// each export looked up by name at every call.
#pragma once

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

struct Action
{
    std::unique_ptr<brenmark::ModuleLibrary> library;
    void *slot = nullptr;
};

// Loads `file` and copies `options` over a fresh options block of its own;
// exits the benchmark when the module cannot be loaded.
template<typename Options>
Action load(const char *file, const Options &options)
{
    Action action;
    std::string error;
    action.library = brenmark::ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + file, &error);
    if (!action.library) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    brenmark::moduleFunction<BrenmarkNewOpt>(action.library->handle(), "newOpt")(&action.slot);
    std::memcpy(action.slot, &options, sizeof options);
    return action;
}

// This thread's CPU time: the machine is shared, wall time would count others' work.
inline double cpuNanoseconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// Nanoseconds per file for the preview of `chain` over `names`.
inline double measure(std::vector<Action> &chain, const std::vector<std::string> &names, int rounds)
{
    std::size_t check = 0;
    const double start = cpuNanoseconds();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const char *name = names[i].c_str();
            for (Action &action : chain) {
                auto process = brenmark::moduleFunction<BrenmarkProcess>(action.library->handle(), "process");
                process(&name, names[i].c_str(), int32_t(i), nullptr, &action.slot, BRENMARK_MODE_PREVIEW);
            }
            check += std::strlen(name);
        }
    }
    const double elapsed = cpuNanoseconds() - start;
    if (check == 0)
        std::puts("no output");
    return elapsed / double(rounds * names.size());
}
