#include "files/directorylisting.h"

namespace tallowin {

// Placeholder until the listing lands: lists nothing.
DirectoryListing GetDirectoryFiles(const QString &, DirectoryFilter &, ErrorReporter &,
                                   Progress *) {
    return {};
}

} // namespace tallowin
