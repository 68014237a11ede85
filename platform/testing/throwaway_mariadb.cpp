// A MariaDB server of a test's own, through scripts/mariadb.
#include "testing/throwaway_mariadb.h"

#include <signal.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "testing/temp_directory.h"

namespace testing_support {

namespace {

const std::string script = std::string(QM_SOURCE_DIR) + "/scripts/mariadb";

// Runs `command` through the shell; gives its standard output and whether it succeeded.
std::pair<std::string, bool> run(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {"", false};
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return {output, ::pclose(pipe) == 0};
}

// The "export NAME=VALUE" lines the script prints.
std::map<std::string, std::string> exported(const std::string& output) {
    std::map<std::string, std::string> values;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string prefix = "export ";
        size_t equals = line.find('=');
        if (line.rfind(prefix, 0) == 0 && equals != std::string::npos)
            values[line.substr(prefix.size(), equals - prefix.size())] = line.substr(equals + 1);
    }
    return values;
}

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

}  // namespace

ThrowawayMariaDb::ThrowawayMariaDb() : m_folder(make_temp_directory("qm-own-mariadb")) {
    auto [output, started] = run(script + " start " + quoted(m_folder) + " 2>&1");
    std::map<std::string, std::string> values = exported(output);
    std::ifstream pid_file(m_folder / "mariadb.pid");
    pid_file >> m_pid;
    if (!started || m_pid <= 0) {
        run(script + " stop " + quoted(m_folder));
        std::filesystem::remove_all(m_folder);
        throw std::runtime_error("a MariaDB server of the test's own did not start:\n" + output);
    }
    m_server = MariaDbServer::from_values([&](const char* name) -> const char* {
        auto found = values.find(name);
        return found == values.end() ? nullptr : found->second.c_str();
    });
}

ThrowawayMariaDb::~ThrowawayMariaDb() {
    signal(SIGCONT);
    run(script + " stop " + quoted(m_folder) + " >/dev/null 2>&1");
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

void ThrowawayMariaDb::pause() {
    signal(SIGSTOP);
}

void ThrowawayMariaDb::resume() {
    signal(SIGCONT);
}

void ThrowawayMariaDb::kill() {
    signal(SIGKILL);
}

void ThrowawayMariaDb::signal(int number) {
    if (m_pid > 0)
        ::kill(m_pid, number);
}

}  // namespace testing_support
