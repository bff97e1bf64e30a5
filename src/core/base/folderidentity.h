#pragma once

#include <sys/types.h>

namespace tallowin {

// Which folder a listing read: a rename refuses to work in any other folder that has since
// taken its path.
struct FolderIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;
    // The path's last component was a symbolic link to the folder when it was listed.
    bool viaLink = false;
};

} // namespace tallowin
