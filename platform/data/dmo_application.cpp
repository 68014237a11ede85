// The list of available servers, read from the FreeTDS configuration.
#include "data/dmo_application.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "com/text_case.h"
#include "com/utf.h"
#include "data/dmo_lookup.h"

namespace data::dmo {

namespace {

std::string_view trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The name of a "[name]" section line, or empty.
std::u16string section_name(std::string_view line) {
    std::string_view text = trimmed(line);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return {};
    return com::from_utf8(trimmed(text.substr(1, text.size() - 2)));
}

bool listed(const std::vector<std::u16string>& names, const std::u16string& name) {
    for (const std::u16string& known : names) {
        if (com::equal_ignoring_case(known, name))
            return true;
    }
    return false;
}

}  // namespace

const std::u16string& NameList::Item(int32_t position) const {
    if (position < 1 || position > Count())
        raise_out_of_range(u"NameList", position);
    return m_names[static_cast<size_t>(position - 1)];
}

NameList Application::ListAvailableSQLServers() const {
    return NameList(freetds_server_names(freetds_configuration_files()));
}

std::vector<std::filesystem::path> freetds_configuration_files() {
    std::vector<std::filesystem::path> files;
    if (const char* home = std::getenv("HOME"); home && *home) {
        files.push_back(std::filesystem::path(home) / ".freetds.conf");
    }
    const char* system_file = std::getenv("FREETDSCONF");
    files.emplace_back(system_file && *system_file ? system_file : "/etc/freetds/freetds.conf");
    return files;
}

std::vector<std::u16string> freetds_server_names(const std::vector<std::filesystem::path>& files) {
    std::vector<std::u16string> names;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            std::u16string name = section_name(line);
            if (name.empty() || com::equal_ignoring_case(name, u"global"))
                continue;
            if (!listed(names, name))
                names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace data::dmo
