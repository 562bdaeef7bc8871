#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "game/GameFile.h"

namespace {

// Writes all of `bytes` to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Makes a renamed entry of `path`'s folder lasting: without this a power cut
// right after the rename could bring back the old file, or none.
bool SyncFolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot sync a folder at all (EINVAL); their renames are as lasting as they get.
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
  ::close(fd);
  return synced;
}

// Creates a new file beside `path` for writing, named `path` plus a unique
// suffix. Asked for rw-rw-rw-, it gets what the umask leaves of that.
int CreateTemporary(const std::string& path, std::string* name) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    *name = path + suffix;
    const int fd = ::open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool SaveFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  // Only a regular file is ever replaced: a folder, a device or a pipe is refused.
  struct stat target;
  const bool replacing = ::stat(path.c_str(), &target) == 0;
  if (replacing && !S_ISREG(target.st_mode)) return false;
  std::ostringstream bytes(std::ios::binary);
  write(bytes);
  if (!bytes) return false;

  std::string temp;
  const int fd = CreateTemporary(path, &temp);
  if (fd < 0) return false;
  // A file replaced keeps its permissions; a new one has the umask's.
  bool written = !replacing || ::fchmod(fd, target.st_mode & 07777) == 0;
  // The contents reach the disk before the rename puts them in place, so a
  // crash never leaves an empty or half-written file instead of the old one.
  written = written && WriteAll(fd, bytes.str()) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && std::rename(temp.c_str(), path.c_str()) == 0) return SyncFolderOf(path);
  std::remove(temp.c_str());
  return false;
}

bool SaveGameFile(const std::string& path, Game& game) {
  return SaveFile(path, [&game](std::ostream& out) { out << game; });
}

bool SaveTextFile(const std::string& path, const std::string& text) {
  return SaveFile(path, [&text](std::ostream& out) { out << text; });
}

TLoadResult LoadGameFile(const std::string& path, Game& game) {
  struct stat info;
  // Only regular files: a folder cannot be read and a pipe could wait forever.
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return TLoadResult::CannotOpen;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return TLoadResult::CannotOpen;
  in >> game;
  return in.fail() ? TLoadResult::Damaged : TLoadResult::Loaded;
}
