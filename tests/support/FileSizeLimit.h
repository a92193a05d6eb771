// Makes writes beyond a size fail the way a full disk does, without root:
// with RLIMIT_FSIZE lowered and SIGXFSZ ignored, write() past the limit
// fails with EFBIG. The soft limit is put back at the end of the scope.
#pragma once

#include <csignal>

#include <sys/resource.h>

#include <gtest/gtest.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &m_old), 0);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit()
    {
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &m_old), 0);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};
