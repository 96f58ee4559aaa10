// SPDX-License-Identifier: GPL-2.0-or-later
/* The least I/O a folder scanner needs, as a yardstick for the list command: for every
 * *.mp3 of a folder, open it, fstat it, read its first 64 KiB and its last 128 bytes.
 * Prints files per second like the other benchmarks.
 *
 *   floor DIR
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: floor DIR\n");
        return 2;
    }
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    DIR* dir = opendir(argv[1]);
    if (!dir) {
        perror(argv[1]);
        return 1;
    }
    static char head[65536];
    char tail[128];
    int files = 0;
    const struct dirent* entry;
    while ((entry = readdir(dir))) {
        const size_t length = strlen(entry->d_name);
        if (length < 4 || strcasecmp(entry->d_name + length - 4, ".mp3") != 0)
            continue;
        const int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        if (fstat(fd, &st) == 0 && pread(fd, head, sizeof head, 0) >= 0 && st.st_size >= 128)
            pread(fd, tail, sizeof tail, st.st_size - 128);
        close(fd);
        ++files;
    }
    closedir(dir);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double seconds =
        (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9;
    printf("files: %d\nseconds: %.4f\nfiles_per_second: %.0f\n", files, seconds,
           seconds > 0 ? files / seconds : 0.0);
    return 0;
}
