// Where the product-data store lives, and the trace the components write.
//
// The components ask the project server that the connection settings name (the value
// "Server", host with an optional port, of the shell's key
// HKEY_LOCAL_MACHINE\SOFTWARE\Corvallo\Lumo\MasterClient: the server documents are
// downloaded from). Only a process that sets a store file of its own (SetPdmStoreFile:
// tests, tools) works on a local store file.
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
// Whether SetPdmStoreFile named a file: the components then work on it, not the server.
bool PdmUsesLocalStore();

// The product-data server of the connection settings ("host[:port]", no trailing "/"), or
// "localhost" when none is set.
std::string PdmServerAddress();
// How long a component waits for the server: to connect, for the answer to go on coming
// (each in milliseconds), and for the whole answer. Defaults 5000, 10000, 30000.
void SetPdmHttpTimeouts(int connectMs, int receiveMs, int totalMs);
void PdmHttpTimeouts(int& connectMs, int& receiveMs, int& totalMs);

// How long a component waits for a store locked elsewhere, in milliseconds (default 5000).
void SetPdmBusyTimeout(int milliseconds);
int PdmBusyTimeout();

// The components' trace: one line per failure, without the line end. By default the lines
// go to the class library's trace output (stderr). Returns the previous sink.
typedef std::function<void(const std::string& line)> PdmTraceSink;
PdmTraceSink SetPdmTraceSink(PdmTraceSink sink);
void PdmTrace(const std::string& line);
