/* The floor for listing: one readdir + statx pass printing name and birth time per file. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

int main(int argc, char **argv) {
    if (argc != 2)
        return 2;
    DIR *dir = opendir(argv[1]);
    if (!dir)
        return 2;
    const int fd = dirfd(dir);
    struct dirent *e;
    while ((e = readdir(dir))) {
        if (e->d_name[0] == '.')
            continue;
        struct statx stx;
        if (statx(fd, e->d_name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_BTIME | STATX_MTIME,
                  &stx) != 0)
            continue;
        if (!S_ISREG(stx.stx_mode))
            continue;
        printf("%s\t%lld\n", e->d_name, (long long)stx.stx_btime.tv_sec);
    }
    closedir(dir);
    return 0;
}
