#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "game/GameFile.h"

namespace {

// The permissions a new file at `path` gets: the old file's when there is
// one, otherwise what the umask leaves of rw-rw-rw-.
mode_t ModeFor(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Pushes a written file's contents to the disk, so that the rename below never
// puts an empty or half-written file in place of the old one after a crash.
bool SyncToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

}  // namespace

bool SaveFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  // Only a regular file is ever replaced: a folder, a device or a pipe is refused.
  struct stat target;
  if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) return false;
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  const std::string temp(name.data());
  const bool prepared = ::fchmod(fd, ModeFor(path)) == 0;
  ::close(fd);

  bool written = false;
  if (prepared) {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      write(out);
      out.flush();
      out.close();
      written = !out.fail() && SyncToDisk(temp);
    }
  }
  if (written && std::rename(temp.c_str(), path.c_str()) == 0) return true;
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
