#include "ServerSettings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace projectserver {

namespace {

const char kKeys[] = "address, port, site, database, pdm-store, tls-cert, tls-key";

std::string Trim(const std::string& s)
{
    const char* space = " \t\r\n";
    size_t begin = s.find_first_not_of(space);
    if (begin == std::string::npos)
        return std::string();
    size_t end = s.find_last_not_of(space);
    return s.substr(begin, end - begin + 1);
}

bool ParsePort(const std::string& text, int& port)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 5)
        return false;
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > 65535)
        return false;
    port = static_cast<int>(v);
    return true;
}

}  // namespace

bool ParseServerSettings(const std::string& text, const std::string& name, ServerOptions& options,
                         bool& pdmStoreGiven, std::string& error)
{
    // Applied to a copy: a file with an error changes nothing.
    ServerOptions result = options;
    bool storeGiven = pdmStoreGiven;
    std::string seen = ",";
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        const std::string where = name + ":" + std::to_string(number) + ": ";
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';')
            continue;
        size_t eq = trimmed.find('=');
        if (eq == std::string::npos) {
            error = where + "not a \"key = value\" line: " + trimmed;
            return false;
        }
        const std::string key = Trim(trimmed.substr(0, eq));
        const std::string value = Trim(trimmed.substr(eq + 1));
        if (seen.find("," + key + ",") != std::string::npos) {
            error = where + key + " is set twice";
            return false;
        }
        auto nonEmpty = [&]() {
            if (value.empty())
                error = where + key + " needs a value";
            return !value.empty();
        };
        if (key == "address") {
            if (!nonEmpty())
                return false;
            result.address = value;
        } else if (key == "port") {
            if (!ParsePort(value, result.port)) {
                error = where + "port takes a number from 0 to 65535, not \"" + value + "\"";
                return false;
            }
        } else if (key == "site") {
            if (!nonEmpty())
                return false;
            result.site = value;
        } else if (key == "database") {
            if (!nonEmpty())
                return false;
            result.databasePath = value;
        } else if (key == "pdm-store") {
            if (!nonEmpty())
                return false;
            result.pdmStorePath = value;
            storeGiven = true;
        } else if (key == "tls-cert") {
            result.tlsCertFile = value;  // empty: plain HTTP
        } else if (key == "tls-key") {
            result.tlsKeyFile = value;
        } else {
            error = where + "unknown setting \"" + key + "\" (settings: " + kKeys + ")";
            return false;
        }
        seen += key + ",";
    }
    options = result;
    pdmStoreGiven = storeGiven;
    return true;
}

bool ReadServerSettings(const std::string& path, ServerOptions& options, bool& pdmStoreGiven, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read the settings file " + path + ": it is a folder";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the settings file " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    if (in.peek() != std::ifstream::traits_type::eof())
        text << in.rdbuf();
    if (in.bad()) {
        error = "cannot read the settings file " + path;
        return false;
    }
    return ParseServerSettings(text.str(), path, options, pdmStoreGiven, error);
}

bool ApplyServerSettingsArgument(int argc, char** argv, ServerOptions& options, bool& pdmStoreGiven,
                                 std::string& error)
{
    const char* file = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--config") != 0)
            continue;
        if (file) {
            error = "--config is given twice";
            return false;
        }
        file = argv[++i];
    }
    return !file || ReadServerSettings(file, options, pdmStoreGiven, error);
}

}  // namespace projectserver
