/* The floor of a batch conversion: writes a converter's output tree again with nothing else. */
#define _POSIX_C_SOURCE 200809L

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

/* A boring folder (bytes NULL) or one of its files, by its path below the tree's root. */
struct Entry {
  char *path;
  size_t folderLength; /* the length of the boring folder's name within path */
  char *bytes;
  size_t size;
};

struct Tree {
  struct Entry *entries;
  size_t count;
  size_t capacity;
  size_t files;
  unsigned long long bytes;
};

static void Fail(const char *what, const char *path) {
  perror(path);
  fprintf(stderr, "bench_floor: cannot %s\n", what);
  exit(1);
}

static void *Allocate(void *block, size_t size) {
  void *result = realloc(block, size);
  if (result == NULL) Fail("allocate", "memory");
  return result;
}

static void Join(char *path, const char *folder, const char *name) {
  if ((size_t)snprintf(path, PATH_MAX, "%s/%s", folder, name) >= PATH_MAX) Fail("join", name);
}

static int CompareNames(const void *a, const void *b) { return strcmp(*(char *const *)a, *(char *const *)b); }

/* The names in a folder, hidden ones left out, in name order; the caller frees them. */
static char **ListNames(const char *folder, size_t *count) {
  DIR *dir = opendir(folder);
  if (dir == NULL) Fail("list", folder);
  char **names = NULL;
  size_t capacity = 0;
  *count = 0;
  for (struct dirent *entry = readdir(dir); entry != NULL; entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    if (*count == capacity) {
      capacity = capacity ? capacity * 2 : 64;
      names = Allocate(names, capacity * sizeof *names);
    }
    names[(*count)++] = strdup(entry->d_name);
  }
  closedir(dir);
  qsort(names, *count, sizeof *names, CompareNames);
  return names;
}

static char *ReadWhole(const char *path, size_t *size) {
  int fd = open(path, O_RDONLY);
  struct stat status;
  if (fd < 0 || fstat(fd, &status) != 0) Fail("read", path);
  *size = (size_t)status.st_size;
  char *bytes = Allocate(NULL, *size + 1);
  if (read(fd, bytes, *size) != (ssize_t)*size) Fail("read", path);
  close(fd);
  return bytes;
}

static void Add(struct Tree *tree, const char *folder, const char *file, char *bytes, size_t size) {
  if (tree->count == tree->capacity) {
    tree->capacity = tree->capacity ? tree->capacity * 2 : 1024;
    tree->entries = Allocate(tree->entries, tree->capacity * sizeof *tree->entries);
  }
  char path[PATH_MAX];
  if (file == NULL) snprintf(path, sizeof path, "%s", folder);
  else Join(path, folder, file);
  tree->entries[tree->count++] = (struct Entry){strdup(path), strlen(folder), bytes, size};
}

/* Every boring folder of the reference and its files, read into memory before the clock starts. */
static void Load(struct Tree *tree, const char *reference) {
  size_t borings = 0;
  char **names = ListNames(reference, &borings);
  for (size_t i = 0; i < borings; ++i) {
    char folder[PATH_MAX];
    Join(folder, reference, names[i]);
    Add(tree, names[i], NULL, NULL, 0);
    size_t files = 0;
    char **fileNames = ListNames(folder, &files);
    for (size_t k = 0; k < files; ++k) {
      char path[PATH_MAX];
      size_t size = 0;
      Join(path, folder, fileNames[k]);
      char *bytes = ReadWhole(path, &size);
      Add(tree, names[i], fileNames[k], bytes, size);
      tree->files++;
      tree->bytes += size;
      free(fileNames[k]);
    }
    free(fileNames);
    free(names[i]);
  }
  free(names);
}

static void WriteFile(const char *path, const struct Entry *entry) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) Fail("create", path);
  if (write(fd, entry->bytes, entry->size) != (ssize_t)entry->size) Fail("write", path);
  if (close(fd) != 0) Fail("close", path);
}

/* A hidden temporary name next to the file, put in place by one rename. */
static void WriteFileByRename(const char *output, const char *path, const struct Entry *entry) {
  char temporary[PATH_MAX];
  if ((size_t)snprintf(temporary, sizeof temporary, "%s/%.*s/.%s.tmp", output, (int)entry->folderLength, entry->path,
                       entry->path + entry->folderLength + 1) >= sizeof temporary) {
    Fail("join", entry->path);
  }
  WriteFile(temporary, entry);
  if (rename(temporary, path) != 0) Fail("rename", temporary);
}

static void Write(const struct Tree *tree, const char *output, int byRename) {
  if (mkdir(output, 0777) != 0) Fail("create", output);
  for (size_t i = 0; i < tree->count; ++i) {
    const struct Entry *entry = &tree->entries[i];
    char path[PATH_MAX];
    Join(path, output, entry->path);
    if (entry->bytes == NULL) {
      if (mkdir(path, 0777) != 0) Fail("create", path);
    } else if (byRename) {
      WriteFileByRename(output, path, entry);
    } else {
      WriteFile(path, entry);
    }
  }
}

static double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

/* User and system time so far: on a shared machine the wall clock also counts other work. */
static double CpuNow(void) {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int main(int argc, char **argv) {
  int plain = argc == 4 && strcmp(argv[1], "plain") == 0;
  int byRename = argc == 4 && strcmp(argv[1], "rename") == 0;
  if (!plain && !byRename) {
    fputs("usage: bench_floor plain|rename REFERENCE_FOLDER NEW_OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  struct Tree tree = {NULL, 0, 0, 0, 0};
  Load(&tree, argv[2]);
  double start = Now();
  double cpuStart = CpuNow();
  Write(&tree, argv[3], byRename);
  double seconds = Now() - start;
  double cpuSeconds = CpuNow() - cpuStart;
  printf("folders %zu files %zu bytes %llu seconds %.6f cpu %.6f\n", tree.count - tree.files, tree.files, tree.bytes,
         seconds, cpuSeconds);
  return 0;
}
