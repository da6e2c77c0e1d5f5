#pragma once
// The statements of the simulator held in memory before they are written:
// the body of the set-up, then the calculation section.
//
// A statement is kept behind a provisional number, its position times 10
// (" 120" for the 12th); opening a free line before others moves them one
// place down and raises their numbers, so the provisional number always
// follows the position. An entry replaced by the statement correction is kept
// as typed, without a provisional number.
//
// Entries sit in a gap buffer: those before the last opening in a vector,
// those after it in a deque. Appending, and opening lines again and again at
// the same place (the per-repetition lines of the set-up, before all its
// per-step lines), take constant time whatever the number of entries; an
// opening elsewhere costs the distance from the last one.
#include <deque>
#include <string>
#include <vector>

namespace korva {

// What a flush makes of an entry that holds no "0 " (no provisional number
// followed by a statement that begins with a blank).
enum class FlushRule {
  kNumberAlone,  // the body of the set-up: the line is its number alone
  kMarkError,    // the calculation section: number + " ERROR " + entry, unless it holds "REM"
};

// What the owner of the statements knows of one: its role, in the owner's
// own numbering, and the length of a trailing part it may leave out where it
// copies the statement (0: none). A statement replaced by the correction
// keeps its role but loses its trailing part, which the new text may not end with.
struct StatementMark {
  unsigned char role = 0;
  size_t tail = 0;
};

class StatementBuffer {
 public:
  int Used() const { return static_cast<int>(before_.size() + after_.size()); }

  // A statement after the last one.
  void Append(std::string text, StatementMark mark = {});
  // A free line opened before the last `k` entries (k from 0 to Used()), holding `text`.
  void InsertBeforeLast(int k, std::string text, StatementMark mark = {});

  // Entry i (1..Used()) as it stands: provisional number and statement, or the replacement.
  std::string Entry(int i) const;
  StatementMark MarkOf(int i) const { return At(i).mark; }
  // Puts `text` in place of entry i, whole.
  void Replace(int i, std::string text);
  // Leaves entry i an empty numbered line.
  void Suppress(int i);

  // Marking and rolling back: the entries added after the mark are dropped.
  int Mark() const { return Used(); }
  void RollBack(int mark);
  void Clear();

  // Entry i as written after `counter` statements already in the file: the
  // text before its first "0 " is replaced by the number counter + i (with its
  // leading blank), so that it reads as statement (counter + i) × 10; an entry
  // without "0 " follows `rule`.
  std::string Renumbered(int i, int counter, FlushRule rule) const;

 private:
  struct Statement {
    std::string text;
    bool numbered = true;  // behind its provisional number
    StatementMark mark;
  };
  const Statement& At(int i) const;
  Statement& At(int i);
  void MoveGapTo(size_t position);  // `position` entries before the gap

  std::vector<Statement> before_;
  std::deque<Statement> after_;
};

}  // namespace korva
