// korva: leads a modeller through the dialogue that builds a simulation model.
#include "dispatch/main_dialogue.h"
#include "dialogue/terminal_dialogue.h"
#include "files/file_system.h"

int main() {
  korva::FileSystem files;
  korva::TerminalDialogue box = korva::TerminalDialogue::Standard();
  korva::RunState run(box, files);
  return korva::MainDialogue(run);
}
