#pragma once
// XMILE equations as syntax trees: the reader parses every <eqn> into one,
// the importer resolves its names, evaluates it at the start time and
// translates it to the generated programs' statements.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korva::xmile {

struct Expr;
using ExprPtr = std::shared_ptr<const Expr>;

struct Expr {
  enum class Kind {
    kNumber,  // value
    kName,    // name (canonical), subscripts in args
    kCall,    // name (canonical function name), args
    kUnary,   // op ("-", "+", "not"), args[0]
    kBinary,  // op ("+", "-", "*", "/", "^", "mod", "<", "<=", ">", ">=", "=", "<>", "and", "or"), args[0..1]
    kIf,      // args: condition, then, else
  };
  Kind kind = Kind::kNumber;
  double value = 0;
  std::string name;  // canonical name of a variable or function; operator text
  std::vector<ExprPtr> args;
};

ExprPtr Node(Expr::Kind kind, std::string name, std::vector<ExprPtr> args, double value = 0);
ExprPtr Number(double value);
ExprPtr Name(std::string name, std::vector<ExprPtr> subscripts = {});
ExprPtr Call(std::string function, std::vector<ExprPtr> args);
ExprPtr Unary(std::string op, ExprPtr operand);
ExprPtr Binary(std::string op, ExprPtr left, ExprPtr right);
ExprPtr If(ExprPtr condition, ExprPtr then, ExprPtr otherwise);

struct ParseResult {
  ExprPtr expr;       // null when the text is not an equation
  std::string error;  // what is wrong, and where
};

// Parses an equation's text (Windows-1252). Names come out canonical
// (CanonicalName); function names lower-cased.
ParseResult ParseEquation(const std::string& text);

// The names of variables the expression reads (canonical, each once, in order
// of first appearance); a function call's name is not among them, a
// subscript's names are.
std::vector<std::string> NamesUsed(const Expr& expr);

// The equation written back as XMILE text, with every variable name as given
// by `display` (a canonical name to the text to write).
std::string ToXmileText(const Expr& expr, const std::function<std::string(const std::string&)>& display);

// Canonical form of a name: case-insensitive (lower-cased), quotes around it
// dropped, underscores, line breaks and the two characters "\n" taken as
// blanks, runs of blanks made one, blanks at the ends dropped.
std::string CanonicalName(const std::string& name);

}  // namespace korva::xmile
