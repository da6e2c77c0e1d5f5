#pragma once
// The files a program has open, by number (1 to 511), and the statements that
// read and write them: Input #, Line Input #, Write #, Print #, Put #, Get #.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "files/file_system.h"
#include "vbrun/syntax.h"
#include "vbrun/value.h"

namespace korva::vbrun {

// Where Print text goes, and the column it has reached (for "," zones and Tab).
class PrintSink {
 public:
  virtual ~PrintSink() = default;
  virtual void Text(std::string_view text) = 0;
  virtual void LineEnd() = 0;
  int column = 0;
};

class FileTable {
 public:
  explicit FileTable(FileSystem& files);
  ~FileTable();

  void Open(int number, const std::string& name, FileMode mode, int recordLength);
  void Close(int number);
  void CloseAll();
  // Puts what the random-access files hold in memory into them (before the
  // program speaks to the modeller, who may end the run there).
  void FlushRecords();

  // Input #: one field. Numbers and texts are told apart by `quoted`.
  void ReadField(int number, std::string& field, bool& quoted);
  // Line Input #.
  void ReadLine(int number, std::string& line);
  void WriteLine(int number, const std::string& line);  // Write #
  PrintSink& Printer(int number);                       // Print #
  // Put # and Get # of one record; `record` 0 means the next one.
  void Put(int number, long long record, const Value& value);
  Value Get(int number, long long record, VbType type);
  bool AtEnd(int number);
  long long Length(int number);

 private:
  struct OpenFile;
  OpenFile& Find(int number);
  static void Check(int number);

  FileSystem& files_;
  std::map<int, std::unique_ptr<OpenFile>> open_;
};

// The record bytes of a value in a random-access file: a Single is 4 bytes
// little-endian, a Double 8, an Integer 2, a Long 4, a text its length in 2
// bytes and its characters; a Variant's value is led by 2 bytes of its type.
std::string RecordBytes(const Value& value);
// The value of the given declared type from a record's bytes (zeros past the end).
Value ValueFromRecord(std::string_view bytes, VbType type);

}  // namespace korva::vbrun
