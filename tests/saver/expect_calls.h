// Compares recorded calls with the expected ones, name by name and argument by argument.
#ifndef TUMBLIX_TESTS_EXPECT_CALLS_H
#define TUMBLIX_TESTS_EXPECT_CALLS_H

#include <gtest/gtest.h>

#include "tests/saver/recording_host.h"

// Arguments match within 1e-6: colours and coordinates are floats kept as doubles, and
// handles and integers are exact at that tolerance.
inline void ExpectCalls(const std::vector<Call> &got, const std::vector<Call> &want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t n = 0; n < got.size(); n++) {
        EXPECT_EQ(got[n].name, want[n].name) << "call " << n;
        ASSERT_EQ(got[n].args.size(), want[n].args.size()) << "call " << n << " " << got[n].name;
        for (size_t a = 0; a < got[n].args.size(); a++) {
            EXPECT_NEAR(got[n].args[a], want[n].args[a], 1e-6)
                << "call " << n << " " << got[n].name << " argument " << a;
        }
    }
}

#endif
