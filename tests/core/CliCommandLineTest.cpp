#include "main/cli/CommandLine.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

struct Accepted
{
    std::vector<std::string> arguments;
    bool dryRun;
    bool ignoreMissing;
    std::string templateArgument;
    bool hasListFile;
    std::string listFile;
    std::vector<std::string> files;
};

} // namespace

TEST(CliCommandLine, AcceptedForms)
{
    const Accepted cases[] = {
        {{"a", "b"}, false, false, "", false, "", {"a", "b"}},
        {{"--dry-run", "--template", "ren", "a"}, true, false, "ren", false, "", {"a"}},
        {{"-n", "--template=x.ptp", "--list", "l.txt"}, true, false, "x.ptp", true, "l.txt", {}},
        {{"--list=l.txt", "--ignore-missing"}, false, true, "", true, "l.txt", {}},
        // Options may follow files; "--" makes everything after it a file, "-" is a file.
        {{"a", "--dry-run", "--", "--dry-run", "-x"}, true, false, "", false, "", {"a", "--dry-run", "-x"}},
        {{"-"}, false, false, "", false, "", {"-"}},
        // A value that looks like an option is still the value.
        {{"--template", "--odd", "f"}, false, false, "--odd", false, "", {"f"}},
    };
    for (const Accepted &c : cases) {
        CommandLine line = parseCommandLine(c.arguments);
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(line.dryRun, c.dryRun);
        EXPECT_EQ(line.ignoreMissing, c.ignoreMissing);
        EXPECT_EQ(line.templateArgument, c.templateArgument);
        EXPECT_EQ(line.hasListFile, c.hasListFile);
        EXPECT_EQ(line.listFile, c.listFile);
        EXPECT_EQ(line.files, c.files);
    }
}

TEST(CliCommandLine, RefusedForms)
{
    const std::vector<std::string> cases[] = {
        {},                                   // no files at all
        {"--dry-run"},                        // still no files
        {"--list", "l.txt", "a"},             // list and files together
        {"--list"},                           // value missing
        {"a", "--template"},                  // value missing at the end
        {"--template=", "a"},                 // empty value
        {"--template", "x", "--template", "y", "a"},
        {"--list", "l", "--list", "m"},
        {"--bogus", "a"},
        {"--dry-runs", "a"},
        {"--hidden", "a"},                    // only with --recursive
        {"--descending", "a"},                // only with --sort
        {"--sort", "names", "a"},
        {"--sort=", "a"},
        {"--sort", "name", "--sort", "size", "a"},
        {"--undo", "a"},                      // undo takes no files
        {"--undo", "--template", "x"},
        {"--undo", "--recursive"},
    };
    for (const auto &arguments : cases)
        EXPECT_THROW(parseCommandLine(arguments), UsageError) << testing::PrintToString(arguments);
}

TEST(CliCommandLine, HelpVersionAndUndoNeedNoFiles)
{
    const CommandLine undo = parseCommandLine({"--undo", "-n"});
    EXPECT_TRUE(undo.undo && undo.dryRun);
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"-h"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
}

TEST(CliCommandLine, TemplateFileOrName)
{
    EXPECT_FALSE(isTemplateFile("~autosave"));
    EXPECT_FALSE(isTemplateFile("photos"));
    EXPECT_FALSE(isTemplateFile(".ptp"));
    EXPECT_TRUE(isTemplateFile("photos.ptp"));
    EXPECT_TRUE(isTemplateFile("./photos"));
    EXPECT_TRUE(isTemplateFile("/tmp/t/x"));
}
