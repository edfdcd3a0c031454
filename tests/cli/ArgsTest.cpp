// Command-line words: splitting, strict numbers, ranges and the options of evolve.

#include <gtest/gtest.h>

#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"

namespace {

const std::vector<OptionRule> KNOWN = {{"svg", true}, {"quiet", false}, {"seed", true}};

int statusOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CliError& e) {
        return e.status();
    }
    return 0;
}

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CliError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Args, SplitsPositionalsOptionsAndSwitches) {
    const Args a({"run.axv", "--svg", "w.svg", "--quiet", "--seed=7"}, KNOWN);
    ASSERT_EQ(a.positional().size(), 1u);
    EXPECT_EQ(a.positional()[0], "run.axv");
    EXPECT_EQ(a.value("svg"), "w.svg");
    EXPECT_EQ(a.value("seed"), "7");
    EXPECT_TRUE(a.has("quiet"));
    EXPECT_FALSE(Args({}, KNOWN).has("quiet"));
}

TEST(Args, RefusesMalformedCommandLinesAsUsageErrors) {
    EXPECT_EQ(statusOf([] { Args({"--colour", "red"}, KNOWN); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { Args({"--svg"}, KNOWN); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { Args({"--svg", "--quiet"}, KNOWN); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { Args({"--quiet=yes"}, KNOWN); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { Args({"--seed", "1", "--seed", "2"}, KNOWN); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { Args({"-x"}, KNOWN); }), EXIT_USAGE);
    EXPECT_NE(messageOf([] { Args({"--colour"}, KNOWN); }).find("--colour"), std::string::npos);
}

TEST(Args, NegativeNumbersAreValuesNotOptions) {
    const Args a({"--seed", "-1"}, KNOWN);
    EXPECT_EQ(a.value("seed"), "-1");
}

TEST(ParseInteger, AcceptsWholeNumbersInsideTheRangeBothEndsIncluded) {
    EXPECT_EQ(parseInteger("--n", "1", 1, 200), 1);
    EXPECT_EQ(parseInteger("--n", "200", 1, 200), 200);
    EXPECT_EQ(parseInteger("--n", "-1", -1, 5), -1);
}

TEST(ParseInteger, RefusesOtherTextAndOutOfRangeValuesNamingTheOption) {
    for (const char* bad :
         {"", "1.5", "12abc", "+3", " 3", "0x10", "-", "201", "0", "99999999999999999999999"})
        EXPECT_EQ(statusOf([bad] { parseInteger("--population", bad, 1, 200); }), EXIT_USAGE)
            << bad;
    EXPECT_NE(messageOf([] { parseInteger("--population", "201", 1, 200); }).find("--population"),
              std::string::npos);
}

TEST(ParseReal, AcceptsDecimalsAndRefusesNonFiniteOrForeignText) {
    EXPECT_DOUBLE_EQ(parseReal("--x", "4.5", 0, 10), 4.5);
    EXPECT_DOUBLE_EQ(parseReal("--x", "1e1", 0, 10), 10.0);
    for (const char* bad : {"nan", "inf", "4,5", "0x1p3", "", "1e999", "-0.1", "10.01"})
        EXPECT_EQ(statusOf([bad] { parseReal("--x", bad, 0, 10); }), EXIT_USAGE) << bad;
}

TEST(ParseSeed, CoversTheWholeUnsigned32BitRange) {
    EXPECT_EQ(parseSeed("--seed", "0"), 0u);
    EXPECT_EQ(parseSeed("--seed", "4294967295"), 4294967295u);
    EXPECT_EQ(statusOf([] { parseSeed("--seed", "4294967296"); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { parseSeed("--seed", "-1"); }), EXIT_USAGE);
}

TEST(EvolveOptions, DefaultsAreThePanelsAndOnlyGivenSettingsArePresent) {
    const EvolveOptions o = parseEvolveOptions({"--out", "r.axv", "--prey-value", "30"});
    EXPECT_EQ(o.out, "r.axv");
    EXPECT_EQ(o.run.generations, DEFAULT_GENERATIONS);
    EXPECT_FALSE(o.run.population.has_value());
    EXPECT_FALSE(o.run.seed.has_value());
    EXPECT_FALSE(o.run.prey.has_value());
    ASSERT_TRUE(o.run.preyValue.has_value());
    EXPECT_DOUBLE_EQ(*o.run.preyValue, 30.0);
    const RunSettings s = overridden(RunSettings{}, o.run);
    EXPECT_EQ(s.numPrey, RunSettings{}.numPrey);
    EXPECT_DOUBLE_EQ(s.preyValue, 30.0);
}

TEST(EvolveOptions, ReadsAttackModesAndRefusesOthers) {
    EXPECT_EQ(*parseEvolveOptions({"--out", "r", "--attack", "dist+grav"}).run.attack,
              AttackSim::DistGrav);
    EXPECT_EQ(*parseEvolveOptions({"--out", "r", "--attack", "off"}).run.attack, AttackSim::Off);
    EXPECT_EQ(statusOf([] { parseEvolveOptions({"--out", "r", "--attack", "grav"}); }), EXIT_USAGE);
}

TEST(EvolveOptions, RefusesContradictionsAndMissingOutput) {
    EXPECT_EQ(statusOf([] { parseEvolveOptions({"--seed", "1"}); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] {
                  parseEvolveOptions({"--out", "a", "--resume", "b", "--population", "6"});
              }),
              EXIT_USAGE);
    EXPECT_EQ(statusOf([] { parseEvolveOptions({"--out", "a", "--stats", "a"}); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] { parseEvolveOptions({"--out", "a", "stray"}); }), EXIT_USAGE);
    EXPECT_EQ(statusOf([] {
                  parseEvolveOptions({"--out", "a", "--generations", "10001"});
              }),
              EXIT_USAGE);
    EXPECT_EQ(statusOf([] {
                  parseEvolveOptions({"--out", "a", "--silk-limit", "-2"});
              }),
              EXIT_USAGE);
}
