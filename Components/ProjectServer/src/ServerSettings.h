// The server's settings file: "key = value" lines, blank lines and lines starting with '#'
// or ';' skipped. Keys: address, port, site, database, pdm-store, tls-cert, tls-key. An
// unknown key, a key given twice, a line without '=' or a bad value is an error naming the
// file and line; nothing of a file with an error is applied.
#pragma once

#include <ProjectServer/ProjectServer.h>

#include <string>

namespace projectserver {

// Applies the settings text to options; pdmStoreGiven is set when it names the store.
// `name` is the file's name in the error text.
bool ParseServerSettings(const std::string& text, const std::string& name, ServerOptions& options,
                         bool& pdmStoreGiven, std::string& error);

// Reads and applies the file.
bool ReadServerSettings(const std::string& path, ServerOptions& options, bool& pdmStoreGiven, std::string& error);

// Applies the file of a "--config FILE" among the arguments, if there is one, so that the
// other arguments, read afterwards, override it. A --config without a value is left to the
// argument loop to report; a second --config is an error.
bool ApplyServerSettingsArgument(int argc, char** argv, ServerOptions& options, bool& pdmStoreGiven,
                                 std::string& error);

}  // namespace projectserver
