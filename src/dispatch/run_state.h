#pragma once
// The state of one run, by lifetime: the run context (dialogue, files, answers
// log, working directory) and the answers a run keeps, both from start-up to
// the end; and the state of the current cycle (the menu letter, the model, the
// simulation and the simulator being written), set afresh in StartCycle.
#include <optional>

#include "core/main_menu.h"
#include "core/run_context.h"
#include "model/model_cycle.h"
#include "model/simulation_state.h"
#include "simulator/simulator_module.h"
#include "variables/specification_state.h"

namespace korva {

// A cycle's state: its model (name, purpose, tables) and what the activities
// add to it. Each activity is handed the parts it works on.
struct CycleState : ModelCycle {
  // The menu letter; nothing for a replayed letter that is none of the four.
  std::optional<Activity> MainChoice;
  SimulationState Sim;
  // The simulator, kept until it is saved at the end of the specification.
  SimulatorModule Simulator;
  // What the specification of the calculated elements leaves for the results program.
  SpecificationState Spec;
};

struct RunState {
  RunState(Dialogue& box, FileSystem& files) : Context(box, files) {}

  RunContext Context;
  RunWideAnswers RunWide;
  CycleState Cycle;

  // The one place where a cycle's state starts afresh. Two values of the
  // element tables live for the whole run: the identifier length that the file
  // advice announces (that of the last list read), and the widest level seen.
  void StartCycle() {
    CycleState next;
    next.Model.IdLength = Cycle.Model.IdLength;
    next.Model.MaxLevelWidth = Cycle.Model.MaxLevelWidth;
    Cycle = std::move(next);
  }
};

}  // namespace korva
