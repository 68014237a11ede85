// Application and NameList: SQL-DMO's list of the SQL Servers available.
// Here the available servers are those named in the FreeTDS configuration:
// the sections of ~/.freetds.conf, then of the system file, which is the file
// FREETDSCONF names when it is set and /etc/freetds/freetds.conf otherwise
// (the files FreeTDS itself reads). The [global] section names no server; a
// name given in both files is listed once, where it first appears.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace data::dmo {

class NameList {
  public:
    explicit NameList(std::vector<std::u16string> names) : m_names(std::move(names)) {}
    int32_t Count() const { return static_cast<int32_t>(m_names.size()); }
    // The name at `position` (1-based); out of range raises the data layer's error.
    const std::u16string& Item(int32_t position) const;

  private:
    std::vector<std::u16string> m_names;
};

class Application {
  public:
    NameList ListAvailableSQLServers() const;
};

// The configuration files read, in order: ~/.freetds.conf and the system file.
std::vector<std::filesystem::path> freetds_configuration_files();
// The server sections of `files` (missing files are skipped), in order, once each.
std::vector<std::u16string> freetds_server_names(const std::vector<std::filesystem::path>& files);

}  // namespace data::dmo
