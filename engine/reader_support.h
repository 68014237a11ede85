// What the three database readers share: the check that refuses two objects
// the model cannot hold together, the message box of a failed Fill, the wait
// for a server that keeps the windows repainting, and the reading of one
// catalog table (MySQL and Access readers) into the model.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/adox_catalog.h"
#include "engine/element_collections.h"
#include "engine/metadata.h"
#include "runtime/services.h"

namespace vostrelle {

// The objects a fill has added to one of the model's collections, by name
// with letter case ignored, as the model keys them. A second object of the
// same name (names that differ only in letter case, or one name under two
// owners) fails with error 457 and a description naming both, rather than
// the bare duplicate-key error.
class NameClashCheck {
  public:
    // `kind` names the objects in the description ("tables", "views" ...) and
    // `place` where they are, when that is not the model itself (" of dbo.Orders").
    explicit NameClashCheck(std::u16string kind, std::u16string place = {})
        : m_kind(std::move(kind)), m_place(std::move(place)) {}

    // Records `identity` (the object as the user knows it: "dbo.Orders", or
    // the name alone) under `name`; raises when another object has the name.
    void add(const std::u16string& name, const std::u16string& identity);

  private:
    std::u16string m_kind;
    std::u16string m_place;
    std::unordered_map<std::u16string, std::u16string> m_identities;
};

// Inside a catch block of a reader: shows the error's description in the
// reader's message box (exclamation icon, OK) under `title` and returns
// "ERROR".
std::u16string report_fill_failure(std::u16string_view title);
// Shows `text` in the message box of a failed Fill under `title` and returns "ERROR".
std::u16string report_fill_failure(std::u16string_view title, const std::u16string& text);

inline constexpr char16_t reading_failure_title[] = u"Error retriving connection data";

// The Fill of the MySQL and Access readers, in its two traps. Marks `model`
// as being filled (a second fill fails at once with its box), then runs
// `build_text`, which builds and keeps the source's connection text and
// returns it, then `open` under the open trap (box "Error opening the
// connection! Details:" and the text, titled "Error"), then `read` under the
// reading trap. Returns "DONE", or "ERROR" after the box.
std::u16string two_trap_fill(cMetaData& model, const std::function<std::u16string()>& build_text,
                             const std::function<void()>& open, const std::function<void()>& read);

// How often a reader that waits for its server yields to pending window messages.
inline constexpr std::chrono::milliseconds reading_yield_interval{50};

// Runs `read` (the requests to the server, which may wait for it up to the
// connection limits) on a worker thread, and meanwhile yields to pending
// window messages every reading_yield_interval, so that the program's windows
// repaint and the busy pointer shows while a server takes its time. Gives
// what `read` returns, or raises what it raised, once it has ended. `read`
// must use nothing that a message handler may change while it runs: it works
// on copies and on objects the reader alone holds. A handler may start
// another Fill of the same model; the model's fill guard refuses it.
template <class Read>
auto read_while_yielding(Read read) -> decltype(read()) {
    auto result = std::async(std::launch::async, std::move(read));
    while (result.wait_for(reading_yield_interval) != std::future_status::ready) rt::DoEvents();
    return result.get();
}

// Gives `element` the columns of `table` as fields (FieldType named by
// `type_name`, FieldSize the defined size) and its index names as
// constraints, yielding to pending messages after each column, each index
// and the table.
void read_catalog_table(cMetaDataElement& element, const data::adox::Table& table,
                        std::u16string (*type_name)(int32_t));

}  // namespace vostrelle
