// The file dialogs of the project document (not exported).
#pragma once

#define PROJECT_FILE_FILTER "TLP Files (*.tlp)|*.tlp|All Files (*.*)|*.*||"
// The default extension: the first three characters of "TLP Files (*.tlp)|*.tlp||", as the
// file dialog takes them.
#define PROJECT_FILE_DEFEXT "TLP"
