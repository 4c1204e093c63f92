// Where the product-data store lives, and the trace the components write.
//
// The store file: the value "StoreFile" under HKEY_CURRENT_USER\SOFTWARE\Dunhelm\Lumo\Pdm
// when it is set and not empty, else $XDG_DATA_HOME/project-client/pdm.sqlite (or
// ~/.local/share/project-client/pdm.sqlite). SetPdmStoreFile overrides both for this
// process (an empty path drops the override).
#pragma once

#include <functional>
#include <string>

// UTF-8 paths.
std::string PdmStoreFile();
std::string PdmDefaultStoreFile();
void SetPdmStoreFile(const std::string& path);

// How long a component waits for a store locked elsewhere, in milliseconds (default 5000).
void SetPdmBusyTimeout(int milliseconds);
int PdmBusyTimeout();

// The components' trace: one line per failure, without the line end. By default the lines
// go to the class library's trace output (stderr). Returns the previous sink.
typedef std::function<void(const std::string& line)> PdmTraceSink;
PdmTraceSink SetPdmTraceSink(PdmTraceSink sink);
void PdmTrace(const std::string& line);
