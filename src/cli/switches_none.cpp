#include "cli/cli.h"

namespace tallowin::cli {

// The shipped program: no switch of the tests changes what it does.
TestSwitches testSwitches() {
    return {};
}

} // namespace tallowin::cli
