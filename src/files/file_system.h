#pragma once
// The host file system as the system uses it: sequential text files read and
// written in Windows-1252 with CR LF line ends, deletion and renaming, every
// failure reported as a run-time error number.
//
// Names are the system's own texts (Windows-1252). In a name, "\" and "/" both
// separate folders, and a folder or file whose name differs from the one given
// only in letter case is taken to be that one, as on the target host, so that
// "MODELO3.txt" and "Modelo3.txt", "F" and "f", "D" and "d" name one file.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "files/directory_names.h"
#include "files/line_sink.h"
#include "files/file_error.h"
#include "files/record_fields.h"
#include "files/record_pages.h"

namespace korva {

// Files open at the moment, by host path, so that opening one twice for writing
// is refused as the target host refuses it ("file already open"), and the
// names of the folders worked in.
struct OpenFileRegistry {
  std::multiset<std::string> reading;
  std::set<std::string> writing;
  DirectoryNames folders;
};

// A file open for input. The whole text is read at opening, decoded from UTF-8
// when it is valid UTF-8 with non-ASCII characters, else taken as Windows-1252.
class InputFile {
 public:
  InputFile(std::string text, std::string hostPath, std::shared_ptr<OpenFileRegistry> registry);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool AtEnd() const { return pos_ >= text_.size(); }
  // True when nothing but blanks and line ends is left.
  bool OnlyBlankRemains() const;
  // Line Input #: false when past the end (run-time error 62).
  bool ReadLine(std::string& line);
  // The next line, left to be read; false when past the end.
  bool PeekLine(std::string& line) const;
  // Input #: one comma-separated field; false when past the end.
  bool ReadField(std::string& field, bool* quoted = nullptr);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  size_t pos_ = 0;
  std::string hostPath_;
  std::shared_ptr<OpenFileRegistry> registry_;
};

// A file open for output or appending. Output to a file goes to a temporary
// beside it that replaces the file when it is closed, so the old file stands
// whole until the new one is complete; appending writes in place. Every line
// ends in CR LF. A write failure is kept and reported by Close.
class OutputFile : public LineSink {
 public:
  // `tempSlot`: where a signal handler finds the temporary (NoteTemporary), or -1.
  OutputFile(std::FILE* stream, std::string hostPath, std::string tempPath, std::string name,
             bool flushEachLine, std::shared_ptr<OpenFileRegistry> registry, int tempSlot = -1);
  ~OutputFile() override;  // closes as Close does, keeping what was written
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view text);      // Print # text; (no line end)
  void WriteLine(std::string_view text) override;  // Print # text
  void WriteRecord(const std::vector<RecordField>& fields);  // Write #
  bool ok() const { return !error_.failed(); }
  const FileError& error() const { return error_; }
  // Closes the file (and puts a rewritten file in place); false with `error` set on failure.
  bool Close(FileError& error);
  bool Close() {
    FileError ignored;
    return Close(ignored);
  }

 private:
  void Fail(int err);

  std::FILE* stream_;
  std::string hostPath_;
  std::string tempPath_;  // empty when appending in place
  int tempSlot_ = -1;     // where a signal handler finds the temporary
  std::string name_;
  bool flushEachLine_;
  FileError error_;
  std::shared_ptr<OpenFileRegistry> registry_;
};

// A file open for random access in records (Open ... For Random): read and
// written in place, created when missing. Its pages are held in memory
// between reads and writes (record_pages.h): Flush, or closing, puts what
// was written into the file.
class RandomFile {
 public:
  RandomFile(int fd, std::string hostPath, std::string name, std::shared_ptr<OpenFileRegistry> registry);
  ~RandomFile();
  RandomFile(const RandomFile&) = delete;
  RandomFile& operator=(const RandomFile&) = delete;
  // The bytes at `offset` (fewer, or none, past the end of the file).
  bool ReadAt(unsigned long long offset, size_t count, std::string& bytes, FileError& error);
  bool WriteAt(unsigned long long offset, std::string_view bytes, FileError& error);
  unsigned long long Size() const { return pages_.size(); }
  // Writes what is held to the file; false with `error` set on failure.
  bool Flush(FileError& error) { return pages_.Flush(error); }

 private:
  int fd_;
  RecordPages pages_;
  std::string hostPath_;
  std::string name_;
  std::shared_ptr<OpenFileRegistry> registry_;
};

// The hidden name beside `name` under which this process writes a file before
// it takes that name: "." + the file's name + ".korva-tmp-" + the process id.
// A run that starts removes those of processes no longer running.
std::string HiddenTemporaryName(const std::string& name);

class FileSystem {
 public:
  FileSystem();

  // Open for Input; nullptr with `error` set when it fails.
  std::unique_ptr<InputFile> OpenInput(const std::string& name, FileError& error);
  // Open for Output: the file is created or replaced when the returned file is closed.
  std::unique_ptr<OutputFile> OpenOutput(const std::string& name, FileError& error);
  // Open for Append: created when missing. `flushEachLine` makes every line reach
  // the host at once (the answers log: nothing answered is lost if the run dies).
  std::unique_ptr<OutputFile> OpenAppend(const std::string& name, FileError& error,
                                         bool flushEachLine = false);
  // Open for Random: created when missing, written in place.
  std::unique_ptr<RandomFile> OpenRandom(const std::string& name, FileError& error);
  // Kill.
  bool Delete(const std::string& name, FileError& error);
  // Name ... As ...: fails with 58 when the new name exists.
  bool Rename(const std::string& from, const std::string& to, FileError& error);
  // Puts `from` in the place of `to` in one step: `to` is either the old file
  // or the new one at every moment. A folder named `to` is not replaced.
  bool Replace(const std::string& from, const std::string& to, FileError& error);
  bool Exists(const std::string& name);

  // The host path that a name stands for: separators made "/", text in UTF-8,
  // every folder and the file matched without regard to case where the exact
  // name does not exist.
  std::string HostPath(const std::string& name) const;

  // From now on files are written, renamed and deleted only inside `folder` (a
  // name, as the working directory is given), and a name inside it is not
  // followed through a link that leads out of it; anything else fails with
  // "path/file access". Names outside it may still be read (a library folder).
  void ConfineWritesTo(const std::string& folder);

  // Removes what runs that died while rewriting a file left behind in `folder`
  // and the folders right under it: the hidden temporaries of processes that no
  // longer run. The number removed.
  int ClearStaleTemporaries(const std::string& folder);

  // The largest file read whole (a list, a matrix, a log): larger ones fail
  // with "out of memory" rather than take the machine's.
  static constexpr unsigned long long kMaxInputBytes = 1ULL << 30;

 private:
  // True when the operation on `host` must be refused: a write that would land
  // outside the working directory, or any access through a link leading out of it.
  bool OutsideWorkDir(const std::string& host, bool writing) const;

  // What an operation does to a file, for the checks that come before it.
  enum class Access {
    kRead,     // refused while the file is open for writing
    kReplace,  // written, appended to or deleted: refused while open at all, or when a folder
    kMove,     // renamed: refused while open at all
  };
  // The refusals that need no change on disk: "file already open" (55), or
  // "path/file access" (75) for a folder or a place outside the working
  // directory; false when there is none.
  bool Refused(const std::string& host, Access access, FileError& error) const;

  // Rename and Replace: `replace` lets the move take the place of a file.
  bool MoveInto(const std::string& from, const std::string& to, FileError& error, bool replace);

  std::shared_ptr<OpenFileRegistry> registry_;
  std::string root_;         // the working directory with its links resolved; empty: no confinement
  std::string rootAsNamed_;  // the working directory as named, made absolute
};

}  // namespace korva
