#include "simulator/genetic_routines.h"


namespace korva {
namespace {

// The line or lines that give gene `gene` of individual `row` a random value:
// an allele of the parameters table, or a value in the gene's search range.
void GeneLines(std::vector<std::string>& out, const SimulationState& sim, const std::string& indent,
               const std::string& row, const std::string& gene, bool drawFirst) {
  const std::string& p = sim.ChromosomeParamsVar;
  const std::string draw = drawFirst ? "k=rnd: " : "";
  if (sim.MaxAlleles != 0) {
    out.push_back(indent + draw + "l=k*nal+1: if l>nal then l=nal");
    out.push_back(indent + "YYY(" + row + "," + gene + ")=" + p + "(" + gene + ",l)");
  } else {
    out.push_back(indent + draw + "YYY(" + row + "," + gene + ")=(YYR(" + gene + ",2)-YYR(" + gene + ",1))*k+YYR(" +
                  gene + ",1)");
  }
}

void AlgorithmDriver(std::vector<std::string>& out, const SimulationState& sim) {
  const std::string& o = sim.ObjectiveVar;
  const std::string& i = sim.InitialChromosomeVar;
  const std::string& p = sim.ChromosomeParamsVar;
  out.push_back("");
  out.insert(out.end(), {" Sub ALGGEN()", "   Dim it, ig, j As Integer", "   Dim " + o + "ant, " + o + "2 As Single",
                         "   for it=1 to ite"});
  if (sim.MaxAlleles == 0) {
    const std::string low = i + "(j)*(1-" + p + "(j,3)/100)";
    const std::string high = i + "(j)*(1+" + p + "(j,3)/100)";
    out.insert(out.end(),
               {"     for j=1 to ngc", "        if " + low + " > " + p + "(j,1) then", "           YYR(j,1)=" + low,
                "        else", "           YYR(j,1)=" + p + "(j,1)", "        end if ",
                "        if " + high + " < " + p + "(j,2) then", "           YYR(j,2)=" + high, "        else",
                "           YYR(j,2)=" + p + "(j,2)", "        end if ", "     next j"});
  }
  out.insert(out.end(), {"     : POBLINIC", "     " + o + "ant=YYY(1, ngc+1)", "     for ig=1 to gen", "       : SELEC",
                         "       : INMIGR", "       : REPRO", "     next ig", "     : SELEC",
                         "     for j=1 to ngc+1: XXX(j)=YYY(1,j): next", "     " + o + "2=YYY(1, ngc+1)",
                         "     If (" + o + "2 >= " + o + "ant) Then Exit For", "     " + o + "ant=" + o + "2",
                         "   next it", " End Sub", "  "});
}

void InitialPopulation(std::vector<std::string>& out, const SimulationState& sim) {
  out.insert(out.end(), {" Sub POBLINIC()", "  Dim i,j,l As Integer", "  Dim k As Single", "  for i=1 to pob",
                         "     for j=1 to ngc: k=rnd"});
  GeneLines(out, sim, "        ", "i", "j", false);
  out.insert(out.end(), {"     next j", "     for j=1 to ngc: XXX(j)=YYY(i,j): next", "     :calcobj",
                         "     YYY(i,ngc+1)=" + sim.ObjectiveVar, "  next i", " End Sub", "  "});
}

void Selection(std::vector<std::string>& out) {
  out.insert(out.end(), {" Sub SELEC()",
                         "    Dim aux() As Single",
                         "    Dim i, j, k As Integer",
                         "    Redim aux(ngc+1)",
                         "    for i=1 to pob",
                         "       for j=i+1 to pob",
                         "          if YYY(j,ngc+1)<YYY(i,ngc+1) Then",
                         "             for k=1 to ngc+1",
                         "                aux(k)=YYY(i,k): YYY(i,k)=YYY(j,k): YYY(j,k)=aux(k)",
                         "             next",
                         "          else",
                         "             if YYY(j,ngc+1)=YYY(i,ngc+1) then YYY(j,ngc+1)=1e38",
                         "          end if",
                         "       next",
                         "    next",
                         "    for i=nre+1 to pob",
                         "       for j=1 to ngc+1",
                         "          YYY(i,j)=0",
                         "       next",
                         "    next",
                         " End Sub",
                         "  "});
}

void Immigration(std::vector<std::string>& out, const SimulationState& sim) {
  out.insert(out.end(), {" Sub INMIGR()", "  Dim i,j,l As Integer", "  Dim k As Single", "  i=0: npo=nre",
                         "  While(i<inm and npo<pob) ", "     i=i+1: npo=npo+1", "     for j=1 to ngc: k=rnd"});
  GeneLines(out, sim, "        ", "npo", "j", false);
  out.insert(out.end(), {"     next", "     for j=1 to ngc: XXX(j)=YYY(npo,j): next", "     :calcobj",
                         "     YYY(npo,ngc+1)=" + sim.ObjectiveVar, "  wend", " End Sub", "  "});
}

void Reproduction(std::vector<std::string>& out, const SimulationState& sim) {
  out.insert(out.end(), {" Sub REPRO()",
                         "    Dim i, j, l, nma, npa, npoant As Integer",
                         "    Dim k As Single",
                         "    npoant=npo",
                         "    While(npo<pob)",
                         "       k=Rnd: npa=k*npoant: if(npa=0) then npa=1",
                         "       k=Rnd: nma=k*npoant: if(nma=0) then nma=1",
                         "       i=1: npo=npo+1",
                         "       While(i<=ngc)",
                         "          k=Rnd",
                         "          if(k<0.5) Then",
                         "             YYY(npo,i)=YYY(npa,i)",
                         "          else",
                         "             YYY(npo,i)=YYY(nma,i)",
                         "          end if",
                         "          i=i+1",
                         "       wend",
                         "       if(mut>0) then",
                         "          i=1",
                         "          While(i<=ngc)",
                         "             k=Rnd: k=k*1000",
                         "             if(k<mut) Then"});
  GeneLines(out, sim, "                ", "npo", "i", true);
  out.insert(out.end(), {"             end if", "             i=i+1", "          wend", "       end if",
                         "       for j=1 to ngc: XXX(j)=YYY(npo,j): next", "       :calcobj",
                         "       YYY(npo,ngc+1)=" + sim.ObjectiveVar, "    wend", " End Sub", "  "});
}

}  // namespace

std::vector<std::string> GeneticProcedures(const SimulationState& sim) {
  std::vector<std::string> out;
  AlgorithmDriver(out, sim);
  InitialPopulation(out, sim);
  Selection(out);
  Immigration(out, sim);
  Reproduction(out, sim);
  return out;
}

}  // namespace korva
