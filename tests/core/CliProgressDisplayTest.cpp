#include "main/cli/ProgressDisplay.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

struct Recorder
{
    std::string output;
    double now = 100.0;

    ProgressDisplay display(bool terminal)
    {
        return ProgressDisplay([this](const std::string &text) { output += text; }, terminal,
                               [this] { return now; });
    }
};

size_t count(const std::string &text, const std::string &part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliProgressDisplay, PlainLinesComeEveryFewSecondsWithCountsAndRate)
{
    Recorder recorder;
    ProgressDisplay display = recorder.display(false);
    display.start(1000);
    EXPECT_EQ(recorder.output, "");
    for (size_t done = 1; done <= 1000; ++done) {
        recorder.now += 1.0 / 64; // 64 files a second, about 15.6 s in all
        display.update(done);
    }
    display.finish(1000);
    EXPECT_EQ(recorder.output.find('\r'), std::string::npos);
    EXPECT_EQ(recorder.output.find('\033'), std::string::npos);
    // Three periodic lines plus the final one.
    EXPECT_EQ(count(recorder.output, "\n"), 4u);
    EXPECT_NE(recorder.output.find("brenmark-batch: 320 из 1000 файлов (32%), 64 файлов/с\n"), std::string::npos) << recorder.output;
    EXPECT_NE(recorder.output.find("1000 из 1000 файлов (100%), 64 файлов/с\n"), std::string::npos) << recorder.output;
}

TEST(CliProgressDisplay, TerminalBarIsRedrawnInPlaceAboutTenTimesASecond)
{
    Recorder recorder;
    ProgressDisplay display = recorder.display(true);
    display.start(256);
    for (size_t done = 1; done <= 256; ++done) {
        recorder.now += 1.0 / 256; // one second in all
        display.update(done);
    }
    // The clock is read every 16 files here (16 times in the second), so the
    // bar is drawn at every second reading, plus once at the start.
    size_t draws = count(recorder.output, "\r[");
    EXPECT_GE(draws, 8u);
    EXPECT_LE(draws, 11u);
    EXPECT_EQ(recorder.output.find('\n'), std::string::npos);
    display.finish(256);
    EXPECT_NE(recorder.output.find("\r[##############################] 256 из 256 файлов (100%), 256 файлов/с\033[K\n"),
              std::string::npos) << recorder.output;
}

TEST(CliProgressDisplay, MessagesWipeTheBarAndPutItBack)
{
    Recorder recorder;
    ProgressDisplay display = recorder.display(true);
    display.start(10);
    recorder.now += 1;
    for (int i = 0; i < ProgressDisplay::kUpdatesPerClockRead; ++i)
        display.update(5);
    recorder.output.clear();
    display.message("сбой");
    EXPECT_EQ(recorder.output.rfind("\r\033[Kсбой\n\r[###############---------------] 5 из 10", 0), 0u) << recorder.output;

    Recorder plain;
    ProgressDisplay quiet = plain.display(false);
    quiet.start(10);
    quiet.message("сбой");
    EXPECT_EQ(plain.output, "сбой\n");
}
