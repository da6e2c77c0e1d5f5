#include "files/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "files/temporaries.h"
#include "text/cp1252.h"

namespace korva {
namespace {

std::string ParentOf(const std::string& hostPath) {
  size_t slash = hostPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return hostPath.substr(0, slash);
}

bool IsDirectory(const std::string& hostPath) {
  struct stat st;
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EntryExists(const std::string& hostPath) {
  struct stat st;
  return ::lstat(hostPath.c_str(), &st) == 0;
}

unsigned long long FileLength(int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 ? static_cast<unsigned long long>(st.st_size) : 0;
}

int ErrorFor(int err, const std::string& hostPath) {
  bool missingParent = (err == ENOENT) && !IsDirectory(ParentOf(hostPath));
  return ErrorNumberFromErrno(err, missingParent);
}

std::string Join(const std::string& dir, const std::string& component) {
  if (dir.empty()) return component;
  if (dir.back() == '/') return dir + component;
  return dir + "/" + component;
}

// The path made absolute and rid of "." and "..", without looking at the disk.
std::string LexicalAbsolute(const std::string& hostPath) {
  std::string path = hostPath;
  if (path.empty() || path[0] != '/') {
    std::string cwd(PATH_MAX, '\0');
    if (::getcwd(cwd.data(), cwd.size()) == nullptr) return hostPath;
    path = std::string(cwd.c_str()) + "/" + path;
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(std::move(part));
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

// The path with every link resolved; empty when some part of it does not exist.
std::string RealPath(const std::string& hostPath) {
  char* real = ::realpath(hostPath.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string result(real);
  std::free(real);
  return result;
}

bool Within(const std::string& path, const std::string& root) {
  if (root == "/") return !path.empty() && path[0] == '/';
  return path.starts_with(root) && (path.size() == root.size() || path[root.size()] == '/');
}

// The buffer of a file written other than line by line.
constexpr size_t kOutputBufferBytes = 1 << 18;

// The hidden temporary a rewrite writes beside `base` while this process runs.
constexpr std::string_view kTempMark = ".korva-tmp-";

}  // namespace

std::string HiddenTemporaryName(const std::string& name) {
  const size_t slash = name.find_last_of("/\\");
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  return name.substr(0, start) + "." + name.substr(start) + std::string(kTempMark) + std::to_string(::getpid());
}

int ErrorNumberFromErrno(int err, bool missingParent) {
  switch (err) {
    case ENOENT:
      return missingParent ? vberr::kPathNotFound : vberr::kFileNotFound;
    case ENOTDIR:
      return vberr::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return vberr::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return vberr::kDiskFull;
    case EMFILE:
    case ENFILE:
      return vberr::kTooManyFiles;
    case EIO:
      return vberr::kDeviceIo;
    case ENXIO:
    case ENODEV:
      return vberr::kDeviceUnavailable;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
      return vberr::kBadFileName;
    case EEXIST:
    case ENOTEMPTY:
      return vberr::kFileAlreadyExists;
    default:
      return vberr::kPathFileAccess;
  }
}

// ---------------------------------------------------------------- InputFile

InputFile::InputFile(std::string text, std::string hostPath, std::shared_ptr<OpenFileRegistry> registry)
    : text_(std::move(text)), hostPath_(std::move(hostPath)), registry_(std::move(registry)) {
  registry_->reading.insert(hostPath_);
}

InputFile::~InputFile() {
  auto it = registry_->reading.find(hostPath_);
  if (it != registry_->reading.end()) registry_->reading.erase(it);
}

bool InputFile::OnlyBlankRemains() const {
  for (size_t i = pos_; i < text_.size(); ++i) {
    char c = text_[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return true;
}

bool InputFile::ReadLine(std::string& line) { return ReadTextLine(text_, pos_, line); }

bool InputFile::PeekLine(std::string& line) const {
  size_t pos = pos_;
  return ReadTextLine(text_, pos, line);
}

bool InputFile::ReadField(std::string& field, bool* quoted) { return ReadRecordField(text_, pos_, field, quoted); }

// ---------------------------------------------------------------- RandomFile

RandomFile::RandomFile(int fd, std::string hostPath, std::string name, std::shared_ptr<OpenFileRegistry> registry)
    : fd_(fd), pages_(fd, FileLength(fd), name), hostPath_(std::move(hostPath)), name_(std::move(name)), registry_(std::move(registry)) {
  registry_->writing.insert(hostPath_);
}

RandomFile::~RandomFile() {
  FileError ignored;  // a failure to write here was reported by the Close that came first
  pages_.Flush(ignored);
  ::close(fd_);
  registry_->writing.erase(hostPath_);
}

bool RandomFile::ReadAt(unsigned long long offset, size_t count, std::string& bytes, FileError& error) {
  return pages_.Read(offset, count, bytes, error);
}

bool RandomFile::WriteAt(unsigned long long offset, std::string_view bytes, FileError& error) {
  return pages_.Write(offset, bytes, error);
}

// ---------------------------------------------------------------- OutputFile

OutputFile::OutputFile(std::FILE* stream, std::string hostPath, std::string tempPath, std::string name,
                       bool flushEachLine, std::shared_ptr<OpenFileRegistry> registry, int tempSlot)
    : stream_(stream),
      hostPath_(std::move(hostPath)),
      tempPath_(std::move(tempPath)),
      tempSlot_(tempSlot),
      name_(std::move(name)),
      flushEachLine_(flushEachLine),
      registry_(std::move(registry)) {
  registry_->writing.insert(hostPath_);
  // A line written at once goes out whole or is taken back: nothing is held in
  // a buffer that a later flush could add after a failure.
  // Any other file goes to the host in large pieces.
  if (flushEachLine_) {
    std::setvbuf(stream_, nullptr, _IONBF, 0);
  } else {
    std::setvbuf(stream_, nullptr, _IOFBF, kOutputBufferBytes);
  }
}

OutputFile::~OutputFile() { Close(); }

void OutputFile::Fail(int err) {
  if (!error_.failed()) error_ = FileError{ErrorFor(err, hostPath_), name_};
}

void OutputFile::Write(std::string_view text) {
  if (stream_ == nullptr || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) Fail(errno);
}

void OutputFile::WriteLine(std::string_view text) {
  if (stream_ == nullptr) return;
  if (!flushEachLine_) {
    Write(text);
    Write("\r\n");
    return;
  }
  // A line that reaches the file only in part (a full disk) is cut off again,
  // so that the file holds whole lines only: a record of the answers log is
  // there whole or not at all.
  struct stat st;
  const bool sized = ::fstat(::fileno(stream_), &st) == 0;
  std::string line;
  line.reserve(text.size() + 2);
  line.append(text).append("\r\n");
  if (std::fwrite(line.data(), 1, line.size(), stream_) != line.size() || std::fflush(stream_) != 0) {
    const int err = errno;
    if (sized && ::ftruncate(::fileno(stream_), st.st_size) == 0) std::clearerr(stream_);
    Fail(err);
  }
}

void OutputFile::WriteRecord(const std::vector<RecordField>& fields) { WriteLine(FormatRecord(fields)); }

bool OutputFile::Close(FileError& error) {
  if (stream_ == nullptr) {
    error = error_;
    return !error_.failed();
  }
  if (std::fflush(stream_) != 0) Fail(errno);
  if (std::fclose(stream_) != 0) Fail(errno);
  stream_ = nullptr;
  registry_->writing.erase(hostPath_);
  if (!tempPath_.empty()) {
    DirectoryNames& folders = registry_->folders;
    folders.Before(hostPath_);
    if (error_.failed()) {
      ::unlink(tempPath_.c_str());  // the old file stands whole
    } else if (::rename(tempPath_.c_str(), hostPath_.c_str()) != 0) {
      Fail(errno);
      ::unlink(tempPath_.c_str());
    } else {
      folders.Added(hostPath_);
    }
    folders.Removed(tempPath_);
    ForgetTemporary(tempSlot_);
    tempSlot_ = -1;
  }
  error = error_;
  return !error_.failed();
}

// ---------------------------------------------------------------- FileSystem

FileSystem::FileSystem() : registry_(std::make_shared<OpenFileRegistry>()) {}

std::string FileSystem::HostPath(const std::string& name) const {
  std::string path = Cp1252ToUtf8(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string current = (!path.empty() && path[0] == '/') ? "/" : "";
  bool missing = false;  // once a folder is missing, the rest is taken as given
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    std::string candidate = Join(current, component);
    if (!missing && component != "." && component != ".." && !EntryExists(candidate)) {
      std::string match = registry_->folders.Match(current, component);
      if (match.empty()) {
        missing = true;
      } else {
        candidate = Join(current, match);
      }
    }
    current = candidate;
  }
  return current;
}

bool FileSystem::Refused(const std::string& host, Access access, FileError& error) const {
  bool open = registry_->writing.count(host) != 0 || (access != Access::kRead && registry_->reading.count(host) != 0);
  if (open) {
    error.number = vberr::kFileAlreadyOpen;
  } else if (access == Access::kReplace && IsDirectory(host)) {
    error.number = vberr::kPathFileAccess;
  } else if (OutsideWorkDir(host, access != Access::kRead)) {
    error.number = vberr::kPathFileAccess;
  }
  return error.failed();
}

std::unique_ptr<InputFile> FileSystem::OpenInput(const std::string& name, FileError& error) {
  std::string host = HostPath(name);
  error = FileError{0, name};
  if (Refused(host, Access::kRead, error)) return nullptr;
  // Not blocking: a FIFO without a writer must not hold the run; only regular
  // files are read, so a device or a FIFO is refused before any read.
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error.number = ErrorFor(errno, host);
    return nullptr;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    error.number = vberr::kPathFileAccess;
    return nullptr;
  }
  if (static_cast<unsigned long long>(st.st_size) > kMaxInputBytes) {
    ::close(fd);
    error.number = vberr::kOutOfMemory;
    return nullptr;
  }
  std::string bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error.number = ErrorFor(errno, host);
      ::close(fd);
      return nullptr;
    }
    if (got == 0) break;
    if (bytes.size() + static_cast<size_t>(got) > kMaxInputBytes) {  // grew while being read
      ::close(fd);
      error.number = vberr::kOutOfMemory;
      return nullptr;
    }
    bytes.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);  // UTF-8 byte-order mark
  std::string text = LooksLikeUtf8(bytes) ? Utf8ToCp1252(bytes) : std::move(bytes);
  return std::make_unique<InputFile>(std::move(text), host, registry_);
}

std::unique_ptr<OutputFile> FileSystem::OpenOutput(const std::string& name, FileError& error) {
  std::string host = HostPath(name);
  error = FileError{0, name};
  if (Refused(host, Access::kReplace, error)) return nullptr;
  if (EntryExists(host) && ::access(host.c_str(), W_OK) != 0) {
    error.number = ErrorFor(errno, host);
    return nullptr;
  }
  std::string temp = HiddenTemporaryName(host);
  registry_->folders.Before(temp);
  // Noted before it exists: a signal at any moment from here finds it.
  const int slot = NoteTemporary(temp);
  std::FILE* stream = std::fopen(temp.c_str(), "wb");
  if (stream == nullptr) {
    error.number = ErrorFor(errno, temp);
    ForgetTemporary(slot);
    registry_->folders.Forget(temp);
    return nullptr;
  }
  registry_->folders.Added(temp);
  return std::make_unique<OutputFile>(stream, host, temp, name, false, registry_, slot);
}

std::unique_ptr<OutputFile> FileSystem::OpenAppend(const std::string& name, FileError& error, bool flushEachLine) {
  std::string host = HostPath(name);
  error = FileError{0, name};
  if (Refused(host, Access::kReplace, error)) return nullptr;
  registry_->folders.Before(host);
  // Not blocking, and only onto a regular file: a FIFO or a device is no log.
  int fd = ::open(host.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    error.number = ErrorFor(errno, host);
    registry_->folders.Forget(host);
    return nullptr;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, O_WRONLY | O_APPEND) != 0) {
    ::close(fd);
    error.number = vberr::kPathFileAccess;
    registry_->folders.Forget(host);
    return nullptr;
  }
  std::FILE* stream = ::fdopen(fd, "ab");
  if (stream == nullptr) {
    error.number = ErrorFor(errno, host);
    ::close(fd);
    registry_->folders.Forget(host);
    return nullptr;
  }
  registry_->folders.Added(host);
  return std::make_unique<OutputFile>(stream, host, "", name, flushEachLine, registry_);
}

std::unique_ptr<RandomFile> FileSystem::OpenRandom(const std::string& name, FileError& error) {
  std::string host = HostPath(name);
  error = FileError{0, name};
  if (Refused(host, Access::kReplace, error)) return nullptr;
  registry_->folders.Before(host);
  int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    error.number = ErrorFor(errno, host);
    registry_->folders.Forget(host);
    return nullptr;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    error.number = vberr::kPathFileAccess;
    registry_->folders.Forget(host);
    return nullptr;
  }
  registry_->folders.Added(host);
  return std::make_unique<RandomFile>(fd, host, name, registry_);
}

bool FileSystem::Delete(const std::string& name, FileError& error) {
  std::string host = HostPath(name);
  error = FileError{0, name};
  if (Refused(host, Access::kReplace, error)) return false;
  registry_->folders.Before(host);
  if (::unlink(host.c_str()) != 0) {
    error.number = ErrorFor(errno, host);
    registry_->folders.Forget(host);
    return false;
  }
  registry_->folders.Removed(host);
  return true;
}

bool FileSystem::Replace(const std::string& from, const std::string& to, FileError& error) {
  std::string hostTo = HostPath(to);
  FileError refused{0, to};
  if (Refused(hostTo, Access::kReplace, refused)) {
    error = refused;
    return false;
  }
  return MoveInto(from, to, error, /*replace=*/true);
}

bool FileSystem::Rename(const std::string& from, const std::string& to, FileError& error) {
  return MoveInto(from, to, error, /*replace=*/false);
}

bool FileSystem::MoveInto(const std::string& from, const std::string& to, FileError& error, bool replace) {
  std::string hostFrom = HostPath(from);
  std::string hostTo = HostPath(to);
  error = FileError{0, from};
  if (Refused(hostFrom, Access::kMove, error)) return false;
  if (OutsideWorkDir(hostTo, true)) {
    error.number = vberr::kPathFileAccess;
    return false;
  }
  if (!EntryExists(hostFrom)) {
    error.number = ErrorFor(ENOENT, hostFrom);
    return false;
  }
  if (hostFrom == hostTo) return true;
  if (!replace && EntryExists(hostTo)) {
    error = FileError{vberr::kFileAlreadyExists, to};
    return false;
  }
  registry_->folders.Before(hostFrom);
  registry_->folders.Before(hostTo);
  if (::rename(hostFrom.c_str(), hostTo.c_str()) != 0) {
    error = FileError{ErrorFor(errno, hostTo), to};
    registry_->folders.Forget(hostFrom);
    registry_->folders.Forget(hostTo);
    return false;
  }
  registry_->folders.Removed(hostFrom);
  registry_->folders.Added(hostTo);
  return true;
}

void FileSystem::ConfineWritesTo(const std::string& folder) {
  std::string host = HostPath(folder);
  rootAsNamed_ = LexicalAbsolute(host);
  root_ = RealPath(host);
  if (root_.empty()) root_ = rootAsNamed_;
}

bool FileSystem::OutsideWorkDir(const std::string& host, bool writing) const {
  if (root_.empty()) return false;
  std::string named = LexicalAbsolute(host);
  if (!Within(named, rootAsNamed_) && !Within(named, root_)) return writing;
  // Inside by its name: no link on the way may lead out.
  std::string folder = RealPath(ParentOf(named));
  if (folder.empty()) return false;  // a missing folder: the operation itself fails
  if (!Within(folder, root_)) return true;
  struct stat st;
  if (::lstat(named.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    std::string target = RealPath(named);
    return target.empty() || !Within(target, root_);  // a dangling link would create its target
  }
  return false;
}

int FileSystem::ClearStaleTemporaries(const std::string& folder) {
  int removed = 0;
  std::vector<std::string> pending{HostPath(folder)};
  // The working directory and the folders right under it: where rewrites happen.
  for (int depth = 0; depth < 2 && !pending.empty(); ++depth) {
    std::vector<std::string> next;
    for (const std::string& dir : pending) {
      DIR* stream = ::opendir(dir.c_str());
      if (stream == nullptr) continue;
      while (dirent* entry = ::readdir(stream)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = Join(dir, name);
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
          next.push_back(path);
          continue;
        }
        size_t mark = name.rfind(kTempMark);
        if (!S_ISREG(st.st_mode) || name[0] != '.' || mark == std::string::npos) continue;
        std::string digits = name.substr(mark + kTempMark.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
          continue;
        }
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        // Another run may be rewriting that file right now.
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        if (::unlink(path.c_str()) == 0) ++removed;
      }
      ::closedir(stream);
    }
    pending = std::move(next);
  }
  return removed;
}

bool FileSystem::Exists(const std::string& name) {
  struct stat st;
  return ::stat(HostPath(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace korva
