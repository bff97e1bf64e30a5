/* The floor for renaming: read the folder, then renameat2(RENAME_NOREPLACE) every file whose
 * name starts with FROM to the same name starting with TO. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv) {
    if (argc != 4)
        return 2;
    const char *from = argv[2], *to = argv[3];
    const size_t fromLen = strlen(from);
    DIR *dir = opendir(argv[1]);
    if (!dir)
        return 2;
    const int fd = dirfd(dir);
    size_t n = 0, cap = 1024;
    char **names = malloc(cap * sizeof *names);
    struct dirent *e;
    while ((e = readdir(dir))) {
        if (strncmp(e->d_name, from, fromLen) != 0)
            continue;
        if (n == cap)
            names = realloc(names, (cap *= 2) * sizeof *names);
        names[n++] = strdup(e->d_name);
    }
    int failed = 0;
    char target[512];
    for (size_t i = 0; i < n; ++i) {
        snprintf(target, sizeof target, "%s%s", to, names[i] + fromLen);
        if (renameat2(fd, names[i], fd, target, RENAME_NOREPLACE) != 0)
            ++failed;
        printf("ok\t%s\t%s\n", names[i], target);
    }
    closedir(dir);
    return failed ? 1 : 0;
}
