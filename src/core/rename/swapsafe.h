#pragma once

#include "rename/renamer.h"

#include <vector>

namespace tallowin {

// The renames Renamer::run makes for a swap-safe run, and whose row each one serves.
struct SwapSafeSteps {
    std::vector<PreviewEntry> rows; // what the renamer runs, in order
    std::vector<qsizetype> source;  // per row: the caller's row it serves
    // Per row: the step that takes the file to a temporary name (its outcome is the row's only
    // when it failed).
    std::vector<bool> parking;
};

// Orders the ticked rows so that each row whose new name is the old name of another ticked
// row runs after that row has moved away (a -> b, b -> c runs b -> c first); a cycle
// (a -> b, b -> a; a -> b -> c -> a) is opened by moving one file to a unique temporary name
// in the same folder first. Rows that meet no other row keep their place.
// With `exactNames` the new names are taken as given (see Renamer::setExactNewNames).
SwapSafeSteps arrangeSwapSafe(const std::vector<PreviewEntry> &rows, bool exactNames = false);

// Renames like Renamer::run, with swaps and chains among the run's own rows allowed: every
// step still never overwrites, so a file outside the run is never replaced. A file parked
// under a temporary name whose last step failed is moved back to its old name or, when a later
// step took that name, to a free "NAME (tallowin rescue).EXT", which its row's message tells
// and the journal records. Outcomes are the caller's rows', in row order, with the caller's
// names.
// True for the temporary names swap-safe runs park files under.
bool isParkingName(const QByteArray &name);

RenameRun runSwapSafe(Renamer &renamer, const QString &folder,
                      const std::vector<PreviewEntry> &rows, Progress *progress = nullptr);

} // namespace tallowin
