#include "acquisition/run_file_chooser.h"

#include "acquisition/recorder_panel.h"
#include "common/program_folder.h"

namespace kelvra::acquisition {

RunFileChooser::RunFileChooser(form::Button& browse, form::Edit& path, form::FileDialog& openDialog)
    : path_(path), openDialog_(openDialog) {
  browse.onClick = [this](form::Control&) { Button9Click(); };
}

void RunFileChooser::Button9Click() {
  // The dialog is shared with the vehicle import: set what this use needs each time.
  openDialog_.SetFilter(RecorderPanel::kRunFileFilter);
  openDialog_.SetInitialDir(ProgramFolder());
  openDialog_.SetDefaultExt("");
  if (openDialog_.Execute())
    path_.SetText(openDialog_.FileName());
}

}  // namespace kelvra::acquisition
