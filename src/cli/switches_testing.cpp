#include "cli/cli.h"

namespace tallowin::cli {

// Linked into tallowin-cli-testing only. TALLOWIN_TEST_KILL_AFTER=N: killed after the Nth
// rename (the crash-and-undo tests); TALLOWIN_TEST_KILL_IN_TEMPORARY=N: killed right after the
// Nth move to a temporary name, between the two halves of a step; TALLOWIN_BENCH_NO_JOURNAL set: no
// journal (the benchmark of what the journal costs).
TestSwitches testSwitches() {
    TestSwitches s;
    s.killAfter = qEnvironmentVariableIntValue("TALLOWIN_TEST_KILL_AFTER");
    s.killInTemporary = qEnvironmentVariableIntValue("TALLOWIN_TEST_KILL_IN_TEMPORARY");
    s.noJournal = !qEnvironmentVariableIsEmpty("TALLOWIN_BENCH_NO_JOURNAL");
    return s;
}

} // namespace tallowin::cli
