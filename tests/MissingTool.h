// Tests that need something outside the program (a tool, a font, a sound
// backend) skip where it is missing, but fail in CI, which installs all of it.
#pragma once

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace zemra::test {

inline bool runningInCI()
{
    const char* ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

} // namespace zemra::test

// Ends the test: a failure in CI, a skip elsewhere.
#define ZEMRA_SKIP_OR_FAIL_IN_CI(why)                                                                                          \
    do {                                                                                                                       \
        if (::zemra::test::runningInCI()) FAIL() << (why);                                                                     \
        GTEST_SKIP() << (why);                                                                                                 \
    } while (false)
