#include "vbrun/parser.h"

#include <functional>
#include <new>

#include "vbrun/lexer.h"
#include "vbrun/line_parser.h"

namespace korva::vbrun {

SourceLines::SourceLines(std::string_view text) : text_(std::make_unique<const std::string>(text)) {
  for (size_t start = 0; start < text.size();) {
    starts_.push_back(start);
    size_t end = text.find('\n', start);
    start = end == std::string_view::npos ? text.size() : end + 1;
  }
  starts_.shrink_to_fit();
}

std::string_view SourceLines::Line(size_t i) const {
  const size_t start = starts_[i];
  size_t end = i + 1 < starts_.size() ? starts_[i + 1] - 1 : text_->find('\n', start);
  if (end == std::string::npos) end = text_->size();
  std::string_view line = std::string_view(*text_).substr(start, end - start);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

void ExprEnd::operator()(Expr* e) const { e->~Expr(); }

ExprPtr ExprArena::New() {
  if (used_ == kBlockExprs) {
    blocks_.push_back(std::make_unique<unsigned char[]>(kBlockExprs * sizeof(Expr)));
    used_ = 0;
  }
  void* at = blocks_.back().get() + used_++ * sizeof(Expr);
  return ExprPtr(new (at) Expr());
}

std::string_view ExprArena::Keep(std::string_view text) {
  const std::less_equal<const char*> notAfter;
  if (notAfter(source_.data(), text.data()) && notAfter(text.data() + text.size(), source_.data() + source_.size())) {
    return text;
  }
  return texts_.emplace_back(text);
}

StmtParts& Stmt::Parts() {
  if (!parts) parts = std::make_unique<StmtParts>();
  return *parts;
}

const StmtParts& Stmt::Parts() const {
  static const StmtParts kNone;
  return parts ? *parts : kNone;
}

namespace {

class ModuleParser {
 public:
  ModuleParser(const std::string& name, std::string_view text) {
    module_.name = name;
    module_.lines = SourceLines(text);
    module_.exprs = std::make_unique<ExprArena>(module_.lines.text());
  }

  std::variant<Module, SyntaxError> Parse() {
    std::string joined;   // a line continued on the next ones
    std::string scratch;  // the lexer's
    for (size_t i = 0; i < module_.lines.size(); ++i) {
      int first = static_cast<int>(i);
      std::string_view text = module_.lines.Line(i);
      if (EndsInContinuation(text) && i + 1 < module_.lines.size()) {
        joined = text;
        while (EndsInContinuation(joined) && i + 1 < module_.lines.size()) {
          joined.resize(joined.find_last_not_of(" \t") - 1);
          joined += ' ';
          joined += module_.lines.Line(++i);
        }
        text = joined;
      }
      try {
        LineParser p(text, scratch, first, *module_.exprs);
        Line(p, first);
      } catch (const ParseFailure& f) {
        return Error(first, f.column, f.message);
      }
    }
    if (current_ != nullptr) {
      return Error(current_->firstLine, 1, "falta \"End Sub\" del procedimiento " + current_->name);
    }
    module_.variables.shrink_to_fit();
    module_.variableLines.shrink_to_fit();
    return std::move(module_);
  }

 private:
  static bool EndsInContinuation(std::string_view text) {
    size_t last = text.find_last_not_of(" \t");
    return last != std::string::npos && last >= 1 && text[last] == '_' &&
           (text[last - 1] == ' ' || text[last - 1] == '\t');
  }

  SyntaxError Error(int line, int column, const std::string& message) const {
    return SyntaxError{module_.name, line + 1, column, message};
  }

  void Line(LineParser& p, int line) {
    if (p.AtEnd()) return;
    if (current_ == nullptr) return ModuleLevel(p, line);
    // A label at the start of the line: a line number, or a name followed by ":".
    const Token first = p.Peek();
    std::string label;
    if (first.kind == TokenKind::kNumber && first.isWhole && first.suffix == 0) {
      label = first.text;
      p.Next();
    } else if (first.kind == TokenKind::kIdentifier && first.suffix == 0 && !first.reserved &&
               p.Peek(1).kind == TokenKind::kColon) {
      label = first.lower;
      p.Next();
      p.Next();
    }
    if (!label.empty()) current_->labels.push_back(LineLabel{static_cast<int>(current_->body.size()), line, label});
    if (p.Peek().Is("end") && (p.Peek(1).Is("sub") || p.Peek(1).Is("function"))) {
      p.Next();
      p.Next();
      if (!p.AtEnd()) p.Expected("el final de la línea");
      // What the growth of a long procedure left unused goes before the
      // checker adds its own (the most a module's reading holds at once).
      current_->body.shrink_to_fit();
      current_->labels.shrink_to_fit();
      current_ = nullptr;
      return;
    }
    p.Statements(current_->body, false);
    if (!p.AtEnd()) p.Expected("\":\" o el final de la línea");
  }

  void ModuleLevel(LineParser& p, int line) {
    while (true) {
      while (p.Peek().kind == TokenKind::kColon) p.Next();
      if (p.AtEnd()) return;
      const Token tok = p.Peek();
      if (tok.Is("attribute") || tok.Is("option")) {
        // Attribute VB_Name = "..." and Option Explicit/Base/Compare lines of the target's files.
        if (tok.Is("option")) {
          p.Next();
          if (p.Peek().Is("base") || p.Peek().Is("compare")) {
            if (!(p.Peek().Is("base") && p.Peek(1).kind == TokenKind::kNumber && p.Peek(1).number == 0) &&
                !(p.Peek().Is("compare") && p.Peek(1).Is("binary"))) {
              p.Unsupported("\"Option " + std::string(p.Peek().text) + "\" distinto del predeterminado");
            }
          }
        }
        while (!p.AtEnd()) p.Next();
        return;
      }
      if (tok.kind == TokenKind::kIdentifier && tok.lower.size() == 6 && tok.lower.starts_with("def")) {
        DefType(p);
      } else if (tok.Is("dim") || tok.Is("public") || tok.Is("private") || tok.Is("global")) {
        bool isPublic = !tok.Is("private") && !tok.Is("dim");
        p.Next();
        if (p.Peek().Is("sub")) {
          p.Next();
          return ProcedureHeader(p, line, isPublic);
        }
        if (p.Peek().Is("function")) p.Unsupported("\"Function\"");
        do {
          Declared d = p.Declaration(false);
          d.isPublic = isPublic;
          module_.variables.push_back(std::move(d));
          module_.variableLines.push_back(line);
        } while (p.TakeOp(","));
      } else if (tok.Is("sub")) {
        p.Next();
        return ProcedureHeader(p, line, true);
      } else if (tok.Is("function") || tok.Is("type") || tok.Is("const") || tok.Is("declare")) {
        p.Unsupported("\"" + std::string(tok.text) + "\"");
      } else {
        p.Expected("una declaración o un procedimiento");
      }
      if (!p.AtEnd() && p.Peek().kind != TokenKind::kColon) p.Expected("\":\" o el final de la línea");
    }
  }

  void DefType(LineParser& p) {
    const Token word = p.Next();
    VbType type;
    if (word.lower == "defint")
      type = VbType::kInteger;
    else if (word.lower == "deflng")
      type = VbType::kLong;
    else if (word.lower == "defsng")
      type = VbType::kSingle;
    else if (word.lower == "defdbl")
      type = VbType::kDouble;
    else if (word.lower == "defstr")
      type = VbType::kString;
    else if (word.lower == "defbool")
      type = VbType::kBoolean;
    else if (word.lower == "defvar")
      type = VbType::kVariant;
    else
      throw ParseFailure{word.column, "\"" + std::string(word.text) + "\" no es admitido por el ejecutor"};
    do {
      char from = Letter(p);
      char to = from;
      if (p.TakeOp("-")) to = Letter(p);
      if (to < from) throw ParseFailure{p.Peek().column, "intervalo de letras al revés"};
      for (char c = from; c <= to; ++c) module_.letterType[c - 'a'] = type;
    } while (p.TakeOp(","));
  }

  static char Letter(LineParser& p) {
    const Token tok = p.Peek();
    if (tok.kind != TokenKind::kIdentifier || tok.lower.size() != 1 || tok.lower[0] < 'a' || tok.lower[0] > 'z') {
      p.Expected("una letra");
    }
    p.Next();
    return tok.lower[0];
  }

  void ProcedureHeader(LineParser& p, int line, bool isPublic) {
    const Token name = p.Peek();
    if (name.kind != TokenKind::kIdentifier || name.reserved) p.Expected("el nombre del procedimiento");
    p.Next();
    Procedure proc;
    proc.name = name.text;
    proc.lower = name.lower;
    proc.isPublic = isPublic;
    proc.firstLine = line;
    if (p.TakeOp("(")) {
      if (!p.Peek().IsOp(")")) p.Unsupported("Un procedimiento con parámetros");
      p.Op(")");
    }
    if (!p.AtEnd()) p.Expected("el final de la línea");
    module_.procedures.push_back(std::move(proc));
    current_ = &module_.procedures.back();
  }

  Module module_;
  Procedure* current_ = nullptr;
};

}  // namespace

std::variant<Module, SyntaxError> ParseModule(const std::string& name, std::string_view text) {
  return ModuleParser(name, text).Parse();
}

}  // namespace korva::vbrun
