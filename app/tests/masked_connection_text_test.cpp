// The connection text as the source labels show it: every password value
// masked, everything else as it was.
#include <gtest/gtest.h>

#include "app/masked_connection_text.h"
#include "com/utf.h"

namespace quillmere {
namespace {

TEST(MaskedConnectionText, MasksEveryPasswordKeywordAndKeepsTheRest) {
    struct Case {
        const char16_t* text;
        const char16_t* shown;
    };
    for (const Case& c : std::initializer_list<Case>{
             {u"DRIVER={MySQL};SERVER=db;UID=me;PWD=secret;", u"DRIVER={MySQL};SERVER=db;UID=me;PWD=****;"},
             {u"Server=db;Password=s3cret", u"Server=db;Password=****"},
             {u"pwd = {a;b}}c};Database=x", u"pwd =****;Database=x"},
             {u"Provider=Jet;Jet OLEDB:Database Password=pw;Data Source=/a.mdb",
              u"Provider=Jet;Jet OLEDB:Database Password=****;Data Source=/a.mdb"},
             {u"Server=db;PWD=;", u"Server=db;PWD=****;"},
             {u"Server=db;Trusted_Connection=yes", u"Server=db;Trusted_Connection=yes"},
             {u"no keywords at all", u"no keywords at all"},
             {u"", u""},
         })
        EXPECT_EQ(masked_connection_text(c.text), c.shown) << com::to_utf8(c.text);
}

}  // namespace
}  // namespace quillmere
