// Tests of tumblix-sim's command-line parsing: accepted forms, defaults and every refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tools/sim_options.h"

namespace
{

struct Parsed {
    int status;
    SimOptions options;
    char error[160];
};

Parsed Parse(std::vector<const char *> args)
{
    args.insert(args.begin(), "tumblix-sim");
    Parsed p;
    memset(&p.options, 0x5a, sizeof p.options);  // garbage a refusal must not pass off as options
    p.status = ParseSimOptions(static_cast<int>(args.size()), args.data(), &p.options, p.error,
                               sizeof p.error);
    return p;
}

TEST(SimOptions, DefaultsWithoutArguments)
{
    Parsed p = Parse({});
    ASSERT_EQ(p.status, SIM_OPTIONS_OK);
    EXPECT_FALSE(p.options.seedGiven);
    EXPECT_EQ(p.options.limit, SIM_LIMIT_PIECES);
    EXPECT_EQ(p.options.count, static_cast<unsigned long long>(SIM_DEFAULT_PIECES));
    EXPECT_FALSE(p.options.quiet);
    EXPECT_FALSE(p.options.help);
    EXPECT_STREQ(p.error, "");
}

TEST(SimOptions, AcceptsEveryOptionAndTheLimits)
{
    Parsed p = Parse({"--quiet", "--seed", "4294967295", "--ticks", "1000000000000"});
    ASSERT_EQ(p.status, SIM_OPTIONS_OK) << p.error;
    EXPECT_TRUE(p.options.quiet);
    EXPECT_TRUE(p.options.seedGiven);
    EXPECT_EQ(p.options.seed, 4294967295u);
    EXPECT_EQ(p.options.limit, SIM_LIMIT_TICKS);
    EXPECT_EQ(p.options.count, SIM_MAX_COUNT);

    p = Parse({"--seed", "0", "--pieces", "1"});
    ASSERT_EQ(p.status, SIM_OPTIONS_OK) << p.error;
    EXPECT_TRUE(p.options.seedGiven);
    EXPECT_EQ(p.options.seed, 0u);
    EXPECT_EQ(p.options.limit, SIM_LIMIT_PIECES);
    EXPECT_EQ(p.options.count, 1u);

    p = Parse({"--help"});
    ASSERT_EQ(p.status, SIM_OPTIONS_OK);
    EXPECT_TRUE(p.options.help);
}

TEST(SimOptions, RefusesBadCommandLinesWithAReason)
{
    const std::vector<std::vector<const char *>> bad = {
        {"--pieces"},                           // missing value
        {"--seed"},                             // missing value
        {"--seed", "abc"},                      // not a number
        {"--seed", "-1"},                       // negative
        {"--seed", "+1"},                       // sign
        {"--seed", "4294967296"},               // past unsigned
        {"--seed", "99999999999999999999999"},  // past 64 bits
        {"--seed", ""},                         // empty
        {"--seed", "1x"},                       // trailing junk
        {"--seed", " 1"},                       // leading space
        {"--pieces", "0"},                      // nothing to play
        {"--ticks", "1000000000001"},           // past the limit
        {"--pieces", "18446744073709551616"},   // past 64 bits
        {"--pieces", "10", "--ticks", "10"},    // two limits
        {"--pieces", "10", "--pieces", "10"},   // given twice
        {"--seed", "1", "--seed", "1"},         // given twice
        {"--frobnicate"},                       // unknown
        {"-q"},                                 // unknown short form
        {"2000"},                               // stray value
        {"--seed=1"},                           // only the spaced form exists
    };
    for (const auto &args : bad) {
        Parsed p = Parse(args);
        std::string line;
        for (const char *a : args)
            line += std::string(a) + " ";
        EXPECT_EQ(p.status, SIM_OPTIONS_BAD) << line;
        EXPECT_GT(strlen(p.error), 0u) << line;
    }
}

TEST(SimOptions, ReasonNamesTheOffendingOptionAndFitsSmallBuffers)
{
    Parsed p = Parse({"--seed", "1", "--ticks", "x"});
    ASSERT_EQ(p.status, SIM_OPTIONS_BAD);
    EXPECT_NE(strstr(p.error, "--ticks"), nullptr) << p.error;

    const char *args[] = {"tumblix-sim", "--frobnicate"};
    SimOptions options;
    char tiny[8];
    memset(tiny, 'z', sizeof tiny);
    EXPECT_EQ(ParseSimOptions(2, args, &options, tiny, sizeof tiny), SIM_OPTIONS_BAD);
    EXPECT_EQ(strlen(tiny), sizeof tiny - 1);  // cut short but terminated
}

}  // namespace
