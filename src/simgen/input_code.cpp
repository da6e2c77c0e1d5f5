#include "simgen/input_code.h"

#include "emit/emitted_text.h"
#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva {
namespace {

const std::string kEmpty = Quoted("");

// The loops over the dimensions of an input: heads "for i1=1 to 10:for i2=1 to n"
// (no leading colon), ends ":next:next", and the index list "(i1,i2)".
struct Loops {
  std::string heads, ends, index, indexLead;  // indexLead: "i1,i2," (for arrays with one more index)
  bool any = false;
};

Loops LoopsOf(const std::vector<std::string>& sizes) {
  Loops loops;
  loops.any = !sizes.empty();
  if (!loops.any) return loops;
  const std::string heads = emitted::ForLoops(sizes);
  const std::string ends = emitted::NextStatements(sizes.size());
  loops.heads = heads.substr(0, heads.size() - 1);
  loops.ends = ":" + ends.substr(0, ends.size() - 1);
  loops.index = emitted::SubscriptList(sizes.size());
  loops.indexLead = loops.index.substr(1, loops.index.size() - 2) + ",";
  return loops;
}

// Wraps a statement (beginning with ":") in the input's loops.
std::string Wrapped(const Loops& loops, const std::string& statement) {
  if (!loops.any) return statement;
  return ":" + loops.heads + statement + loops.ends;
}

}  // namespace

InputCode BuildInputCode(const InputSettings& s) {
  InputCode code;
  const std::string& X = s.id;
  const std::string P = s.uncertain ? "w" : "ñ";
  const Loops loops = LoopsOf(s.sizes);
  const bool changes = s.changes > 0;
  const long values = s.changes + 1;
  const std::string n = NumText(values);
  const std::string E = P + X + loops.index;   // the element as read and written
  const std::string starts = "ñ" + X + "p";    // unit value at which each value begins
  const std::string valueArray = P + X + "c";  // the values as given
  auto valueAt = [&](const std::string& k) { return valueArray + "(" + loops.indexLead + k + ")"; };
  const std::string U = s.timeUnit;

  // Reading statement, and the sizing of the arrays it fills, with the sizes
  // as a program names them: the simulator and the data-entry program hold an
  // earlier input that gives a size in different variables.
  auto readingWith = [&](const Loops& within) {
    if (!changes) return Wrapped(within, ":input #1," + E);
    std::string text = Wrapped(within, ":for k=1 to" + n + ":input #1,uc," + starts + "(k),uc," + valueAt("k") + ":next");
    return within.any ? text : text.substr(1);  // "for k=1 to ..." as it stands alone
  };
  auto redimWith = [&](const std::vector<std::string>& sizes) -> std::string {
    if (changes) {
      return "redim " + starts + "(" + PlainNum(values) + ")," + valueArray + "(" + emitted::CommaJoined(sizes) +
             (loops.any ? "," : "") + PlainNum(values) + ")";
    }
    return loops.any ? "redim " + P + X + "(" + emitted::CommaJoined(sizes) + ")" : "";
  };
  const std::vector<std::string>& dataSizes = s.dataSizes.empty() ? s.sizes : s.dataSizes;
  const Loops dataLoops = LoopsOf(dataSizes);
  const std::string reading = readingWith(loops);
  const std::string redim = redimWith(s.sizes);
  const std::string dataReading = readingWith(dataLoops);
  const std::string dataRedim = redimWith(dataSizes);
  code.readingStatement = reading + (changes ? ":l" + X + "=1" : "");
  // The simulator also sizes the array into which an uncertain input with
  // changes of value draws its values, and gives the element itself its data
  // where they were read into a marked data variable: its size (an array the
  // calculation section fills, step by step or by draws) and, for an input
  // that neither changes nor is drawn, its values.
  std::string simulatorRedim = redim;
  if (changes && s.uncertain)
    simulatorRedim += ",ñ" + X + "c(" + emitted::CommaJoined(s.sizes) + (loops.any ? "," : "") + PlainNum(values) + ")";
  std::string statement = code.readingStatement;
  if (!simulatorRedim.empty()) statement = simulatorRedim + (statement[0] == ':' ? "" : ":") + statement;
  const bool readIntoMarked = !s.markersStripped || s.uncertain;
  if (loops.any && (changes || readIntoMarked)) statement += ":redim " + X + "(" + emitted::CommaJoined(s.sizes) + ")";
  if (readIntoMarked && !s.uncertain && !changes) {
    statement += Wrapped(loops, ":" + X + loops.index + "=" + "ñ" + X + loops.index);
  }
  code.simulatorLine = " line input #1,uc:" + statement;

  // The data-entry section.
  auto line = [&code](std::string text, DataJump jump = DataJump::kNone) {
    code.dataLines.push_back(DataLine{std::move(text), jump});
  };
  if (!dataRedim.empty()) {
    // Arrays sized by another input are sized again whenever their values are
    // asked or read anew: that input may hold another value by then.
    const bool sizedByInput = dataSizes != s.sizes;
    line(sizedByInput ? " if nx=0 or nn=1 or (uns<>unsa and uns<>" + kEmpty + " and nn>1 and nn<5) then"
                      : " if nx=0 then");
    line("   " + dataRedim);
    line(" endif");
  }
  line(" ub=" + Quoted(s.fullName));
  line(" if nn<3 or ua=" + Quoted("n") + " then msgbox(ub)");
  // An uncertain input's answer is kept without double quotes: the modeller may
  // begin it with one, and a quote inside a text written with Write # would end
  // the field there when the simulator reads it back.
  auto asked = [&](const std::string& prompt) {
    const std::string box = "inputbox(" + prompt + ")";
    return s.uncertain ? "replace(" + box + ",chr$(34)," + kEmpty + ")" : box;
  };
  const std::string askHead = " if nn=1 or ua=" + Quoted("n") + " then ";
  const std::string askChanges = "for k=1 to" + n + ":" + starts + "(k)=inputbox(" + Quoted("¿" + U + "?") + ")" + ":" +
                                 valueAt("k") + "=" + asked(Quoted("¿Valor?"));
  const std::string readFromFile = " and ua<>" + Quoted("p") + " and (uns<>unsa or nx=0) then line input #1,uc:";
  if (!dataLoops.any && !changes) {
    line(askHead + E + "=" + asked("ub") + " else if nn<5 and uns<>" + kEmpty + readFromFile + "input #1," + E);
  } else if (!dataLoops.any) {
    line(askHead + askChanges + ":next k else if nn<5 and uns<>" + kEmpty + readFromFile + "for k=1 to" + n +
         ":input #1,uc," + starts + "(k),uc," + valueAt("k") + ":next");
  } else {
    line(askHead + dataLoops.heads + ":" + (changes ? askChanges + ":next k" : E + "=" + asked("ub")) + dataLoops.ends);
    line(" if (uns<>unsa or nx=0) and nn>1 and nn<5 and uns<>" + kEmpty + " and ua<>" + Quoted("n") + " and ua<>" +
         Quoted("p") + " then line input #1,uc:" + (dataReading[0] == ':' ? dataReading.substr(1) : dataReading));
  }
  line(" if nn=3 and uvc<>" + Quoted(X) + " goto", DataJump::kNextInput);
  std::string writing;
  if (changes) {
    writing =
        "for k=1 to" + n + ":write #2," + Quoted(U) + "," + starts + "(k)," + Quoted(X) + "," + valueAt("k") + ":next";
  } else {
    writing = "write #2," + E;
  }
  if (dataLoops.any) writing = dataLoops.heads + ":" + writing + dataLoops.ends;
  line(" if nn=5 then print #2,ub: " + writing + ":goto", DataJump::kNextInput);
  const std::string shown = changes ? valueAt(PlainNum(values)) : E;
  // The value is joined to the question as it stands: it is a text (typed, or an
  // uncertainty or literal answer read back), and str$ of a text that is not a
  // number stops the program with a type mismatch.
  const std::string question = "inputbox(" + std::string(dataLoops.any ? "" : shown + " & ") +
                               Quoted("¿Desea seguir (), corregir (n), o volver al principio (p)?") + ")" +
                               ":if ua=" + Quoted("p") + " then nn=3:uvc=" + kEmpty + " else if ua=" + Quoted("n") +
                               " goto";
  if (dataLoops.any) {
    // The values are shown on the debug stream: a Print with no object does not
    // compile in a module of the target language.
    std::string outer = dataLoops.ends.substr(5);  // the loops around the innermost one
    line(" " + dataLoops.heads + ":debug.print format$(" + shown + ");:debug.print:next" + outer + ":ua=" + question,
         DataJump::kCorrection);
  } else {
    line(" ua=" + question, DataJump::kCorrection);
  }

  // The simulator body.
  if (s.uncertain) {
    // The sampling routine names the input when its text is not a distribution.
    const std::string named = ":uyy=" + Quoted(X);
    std::string sample;
    if (changes) {
      sample = Wrapped(loops, ":for k=1 to" + n + ":ua=w" + X + "c(" + loops.indexLead + "k)" + named + "::gs170:ñ" + X +
                                  "c(" + loops.indexLead + "k)=y1:next");
    } else {
      sample = Wrapped(loops, ":ua=w" + X + loops.index + named + "::gs170:" + X + loops.index + "=y1");
    }
    (s.newValueEachStep ? code.perStep : code.perRepetition).push_back(" " + sample);
  }
  if (changes) {
    code.perStep.push_back(" if l" + X + "<" + n + " then if t+rini>=" + "ñ" + X + "p(l" + X + "+1) then l" + X + "=l" +
                           X + "+1");
    std::string assign = X + loops.index + "=" + "ñ" + X + "c(" + loops.indexLead + "l" + X + ")";
    code.perStep.push_back(" " + (loops.any ? Wrapped(loops, ":" + assign).substr(1) : assign));
    code.valueChangeInit = ": l" + X + "=1";
  }
  return code;
}

}  // namespace korva
