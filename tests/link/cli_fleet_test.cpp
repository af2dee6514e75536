// lumo-cli write --each as a user runs it: lumo-cli and a tarn-sim serving a fleet of
// radios on one line, as processes of their own, the radios swapped by SIGUSR1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/test_files.h"

namespace lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using test::TempDir;

struct FleetRun {
    int status = -1;
    std::vector<std::string> out;  // stdout, line by line
    std::string err;
};

// Runs `lumo-cli write t.chnw --each ARGS` against `tarn-sim --radios N SIMARGS`, with
// `driver` (bash, run beside it with $sim and $cli set) swapping radios and answering.
FleetRun runFleet(const TempDir& dir, const std::string& simArgs, const std::string& cliArgs,
                  const std::string& input, const std::string& driver) {
    const std::string bin = LUMO_BINARY_DIR "/bin/";
    test::writeTextFile(dir / "t.chnw",
                        test::channelOneFile({"446.00625", "446.00625", "Off", "Off", "High", "25K",
                                              "Off", "Off", "QT", "Off", "On", "A"}));
    // Waits until lumo-cli has printed N result lines.
    const std::string results =
        "results() { for i in $(seq 400); do [ $(grep -c '^Radio' cli.out) -ge $1 ] && return; "
        "sleep 0.1; done; }; ";
    const std::string script =
        "set -m; cd '" + dir.path().string() + "' || exit 1; touch cli.out; " + results + bin +
        "tarn-sim " + simArgs + " > sim.out & sim=$!; "
        "for i in $(seq 50); do [ -s sim.out ] && break; sleep 0.1; done; "
        "( " + input + " ) | XDG_DATA_HOME='" + dir.path().string() +
        "' env --default-signal=INT,TERM timeout 150 " + bin + "lumo-cli --port $(head -n 1 sim.out) write t.chnw --each " +
        cliArgs + " > cli.out 2> cli.err & cli=$!; " + driver +
        "; wait $cli; echo $? > cli.status; kill $sim; wait $sim 2>/dev/null; true";
    test::writeTextFile(dir / "fleet.sh", script);
    EXPECT_EQ(std::system(("bash '" + (dir / "fleet.sh").string() + "'").c_str()), 0);
    FleetRun run{std::atoi(test::readTextFile(dir / "cli.status").c_str()), {},
                 test::readTextFile(dir / "cli.err")};
    std::string line;
    for (const char c : test::readTextFile(dir / "cli.out")) {
        if (c == '\n') {
            run.out.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return run;
}

TEST(CliFleet, WaitRadioProgramsEachRadioOnceAndAFailedOneNeverStopsTheJob) {
    TempDir dir;
    const FleetRun run = runFleet(
        dir, "--radios 3 --fault corrupt:0x0010%2", "--wait-radio", "true",
        "results 1; kill -USR1 $sim; results 2; kill -USR1 $sim; results 3; kill -INT $cli");
    EXPECT_THAT(run.out,
                ElementsAre("Radio 1 done: written and verified \u2014 connect the next radio",
                            "Radio 2 FAILED: The radio does not hold what was written.",
                            "Radio 3 done: written and verified \u2014 connect the next radio",
                            "3 radios: 2 written and verified, 1 failed: radio 2, The radio does "
                            "not hold what was written",
                            StartsWith("log: " + (dir / "Lumo" / "backups" / "fleet-").string())))
        << run.err;
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Waiting for radio 1"));
}

TEST(CliFleet, EnterStartsTheNextRadioAndQEndsTheJob) {
    TempDir dir;
    const FleetRun run = runFleet(
        dir, "--radios 2", "",
        "echo; results 1; kill -USR1 $sim; sleep 1.5; echo; results 2; echo q", "true");
    EXPECT_THAT(run.out,
                ElementsAre("Radio 1 done: written and verified \u2014 connect the next radio",
                            "Radio 2 done: written and verified \u2014 connect the next radio",
                            "2 radios: 2 written and verified", StartsWith("log: ")))
        << run.err;
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Connect radio 3 and press Enter (q to stop): "));
}

}  // namespace
}  // namespace lumo
