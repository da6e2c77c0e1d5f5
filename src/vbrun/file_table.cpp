#include "vbrun/file_table.h"

#include <cstring>

#include "vbrun/vb_error.h"

namespace korva::vbrun {

struct FileTable::OpenFile {
  FileMode mode;
  std::string name;
  std::unique_ptr<InputFile> in;
  std::unique_ptr<OutputFile> out;
  std::unique_ptr<RandomFile> random;
  int recordLength = 128;
  long long nextRecord = 1;
  bool pastEnd = false;

  struct FileSink : PrintSink {
    OutputFile* out = nullptr;
    void Text(std::string_view text) override {
      out->Write(text);
      column += static_cast<int>(text.size());
    }
    void LineEnd() override {
      out->WriteLine("");
      column = 0;
    }
  } sink;
};

namespace {

void FailOn(const FileError& error) {
  if (error.failed()) Fail(error.number, error.path);
}

// VarType codes that lead a Variant's bytes.
int VarTypeCode(VbType type) {
  switch (type) {
    case VbType::kInteger:
      return 2;
    case VbType::kLong:
      return 3;
    case VbType::kSingle:
      return 4;
    case VbType::kDouble:
      return 5;
    case VbType::kString:
      return 8;
    case VbType::kBoolean:
      return 11;
    default:
      return 0;
  }
}

VbType TypeOfCode(int code) {
  switch (code) {
    case 2:
      return VbType::kInteger;
    case 3:
      return VbType::kLong;
    case 4:
      return VbType::kSingle;
    case 5:
      return VbType::kDouble;
    case 8:
      return VbType::kString;
    case 11:
      return VbType::kBoolean;
    default:
      return VbType::kEmpty;
  }
}

template <typename T>
void Append(std::string& bytes, T value) {
  char raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));  // the host is little-endian, as the target
  bytes.append(raw, sizeof(T));
}

template <typename T>
T Take(std::string_view bytes, size_t& pos) {
  char raw[sizeof(T)] = {};
  for (size_t i = 0; i < sizeof(T) && pos + i < bytes.size(); ++i) raw[i] = bytes[pos + i];
  pos += sizeof(T);
  T value;
  std::memcpy(&value, raw, sizeof(T));
  return value;
}

void AppendPlain(std::string& bytes, const Value& v) {
  switch (v.type) {
    case VbType::kInteger:
    case VbType::kBoolean:
      Append<int16_t>(bytes, static_cast<int16_t>(v.num));
      break;
    case VbType::kLong:
      Append<int32_t>(bytes, static_cast<int32_t>(v.num));
      break;
    case VbType::kSingle:
      Append<float>(bytes, static_cast<float>(v.num));
      break;
    case VbType::kDouble:
      Append<double>(bytes, v.num);
      break;
    case VbType::kString:
      if (v.str.size() > 0x7FFF) Fail(err::kBadRecordLength);
      Append<uint16_t>(bytes, static_cast<uint16_t>(v.str.size()));
      bytes += v.str;
      break;
    default:
      break;
  }
}

Value TakePlain(std::string_view bytes, size_t& pos, VbType type) {
  switch (type) {
    case VbType::kInteger:
      return Value::Integer(Take<int16_t>(bytes, pos));
    case VbType::kBoolean:
      return Value::Boolean(Take<int16_t>(bytes, pos) != 0);
    case VbType::kLong:
      return Value::Long(Take<int32_t>(bytes, pos));
    case VbType::kSingle:
      return Value::Single(Take<float>(bytes, pos));
    case VbType::kDouble:
      return Value::Double(Take<double>(bytes, pos));
    case VbType::kString: {
      uint16_t n = Take<uint16_t>(bytes, pos);
      std::string text;
      if (pos < bytes.size()) text.assign(bytes.substr(pos, std::min<size_t>(n, bytes.size() - pos)));
      pos += n;
      return Value::String(std::move(text));
    }
    default:
      return Value{};
  }
}

}  // namespace

std::string RecordBytes(const Value& value) {
  std::string bytes;
  if (value.variant) Append<int16_t>(bytes, static_cast<int16_t>(VarTypeCode(value.type)));
  AppendPlain(bytes, value);
  return bytes;
}

Value ValueFromRecord(std::string_view bytes, VbType type) {
  size_t pos = 0;
  if (type == VbType::kVariant) {
    Value v = TakePlain(bytes, pos, TypeOfCode(Take<int16_t>(bytes, pos)));
    v.variant = true;
    return v;
  }
  return TakePlain(bytes, pos, type);
}

FileTable::FileTable(FileSystem& files) : files_(files) {}

FileTable::~FileTable() {
  // Files left open when the program ends are closed, keeping what was written.
  open_.clear();
}

void FileTable::Check(int number) {
  if (number < 1 || number > 511) Fail(vberr::kBadFileName);
}

FileTable::OpenFile& FileTable::Find(int number) {
  Check(number);
  auto it = open_.find(number);
  if (it == open_.end()) Fail(vberr::kBadFileName);
  return *it->second;
}

void FileTable::Open(int number, const std::string& name, FileMode mode, int recordLength) {
  Check(number);
  if (open_.count(number)) Fail(vberr::kFileAlreadyOpen);
  if (name.empty()) Fail(vberr::kBadFileName);
  if (recordLength < 1 || recordLength > 32767) Fail(err::kBadRecordLength);
  auto file = std::make_unique<OpenFile>();
  file->mode = mode;
  file->name = name;
  file->recordLength = recordLength;
  FileError error;
  switch (mode) {
    case FileMode::kInput:
      file->in = files_.OpenInput(name, error);
      break;
    case FileMode::kOutput:
      file->out = files_.OpenOutput(name, error);
      break;
    case FileMode::kAppend:
      file->out = files_.OpenAppend(name, error);
      break;
    case FileMode::kRandom:
      file->random = files_.OpenRandom(name, error);
      break;
  }
  FailOn(error);
  file->sink.out = file->out.get();
  open_[number] = std::move(file);
}

void FileTable::Close(int number) {
  Check(number);
  auto it = open_.find(number);
  if (it == open_.end()) return;  // closing a number not open is no error
  std::unique_ptr<OpenFile> file = std::move(it->second);
  open_.erase(it);
  FileError error;
  if (file->out && !file->out->Close(error)) FailOn(error);
  if (file->random && !file->random->Flush(error)) FailOn(error);
}

void FileTable::FlushRecords() {
  for (auto& [number, file] : open_) {
    FileError error;
    if (file->random && !file->random->Flush(error)) FailOn(error);
  }
}

void FileTable::CloseAll() {
  while (!open_.empty()) Close(open_.begin()->first);
}

void FileTable::ReadField(int number, std::string& field, bool& quoted) {
  OpenFile& f = Find(number);
  if (!f.in) Fail(err::kBadFileMode);
  if (!f.in->ReadField(field, &quoted)) Fail(vberr::kInputPastEnd, f.name);
}

void FileTable::ReadLine(int number, std::string& line) {
  OpenFile& f = Find(number);
  if (!f.in) Fail(err::kBadFileMode);
  if (!f.in->ReadLine(line)) Fail(vberr::kInputPastEnd, f.name);
}

void FileTable::WriteLine(int number, const std::string& line) {
  OpenFile& f = Find(number);
  if (!f.out) Fail(err::kBadFileMode);
  f.out->WriteLine(line);
  f.sink.column = 0;
  if (!f.out->ok()) FailOn(f.out->error());
}

PrintSink& FileTable::Printer(int number) {
  OpenFile& f = Find(number);
  if (!f.out) Fail(err::kBadFileMode);
  if (!f.out->ok()) FailOn(f.out->error());
  return f.sink;
}

void FileTable::Put(int number, long long record, const Value& value) {
  OpenFile& f = Find(number);
  if (!f.random) Fail(err::kBadFileMode);
  if (record < 0) Fail(err::kBadRecordNumber);
  if (record == 0) record = f.nextRecord;
  std::string bytes = RecordBytes(value);
  if (static_cast<long long>(bytes.size()) > f.recordLength) Fail(err::kBadRecordLength);
  FileError error;
  if (!f.random->WriteAt(static_cast<unsigned long long>(record - 1) * f.recordLength, bytes, error)) FailOn(error);
  f.nextRecord = record + 1;
}

Value FileTable::Get(int number, long long record, VbType type) {
  OpenFile& f = Find(number);
  if (!f.random) Fail(err::kBadFileMode);
  if (record < 0) Fail(err::kBadRecordNumber);
  if (record == 0) record = f.nextRecord;
  std::string bytes;
  FileError error;
  if (!f.random->ReadAt(static_cast<unsigned long long>(record - 1) * f.recordLength, f.recordLength, bytes, error)) {
    FailOn(error);
  }
  f.pastEnd = bytes.empty();
  f.nextRecord = record + 1;
  return ValueFromRecord(bytes, type);
}

bool FileTable::AtEnd(int number) {
  OpenFile& f = Find(number);
  if (f.in) return f.in->AtEnd();
  if (f.random) return f.pastEnd;
  return true;
}

long long FileTable::Length(int number) {
  OpenFile& f = Find(number);
  if (f.in) return static_cast<long long>(f.in->text().size());
  if (f.random) return static_cast<long long>(f.random->Size());
  return 0;
}

}  // namespace korva::vbrun
