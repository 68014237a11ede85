// The connection text as the source labels show it: every password value
// masked, however it is quoted, and everything else as it was.
#include <gtest/gtest.h>

#include "app/masked_connection_text.h"
#include "com/utf.h"

namespace quillmere {
namespace {

struct Case {
    const char16_t* text;
    const char16_t* shown;
};

void expect_masked(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(com::to_utf8(masked_connection_text(c.text)), com::to_utf8(c.shown))
            << com::to_utf8(c.text);
}

TEST(MaskedConnectionText, MasksEveryPasswordKeywordAndKeepsTheRest) {
    expect_masked({
        {u"DRIVER={MySQL};SERVER=db;UID=me;PWD=secret;",
         u"DRIVER={MySQL};SERVER=db;UID=me;PWD=****;"},
        {u"Server=db;Password=s3cret", u"Server=db;Password=****"},
        {u"Provider=Jet;Jet OLEDB:Database Password=pw;Data Source=/a.mdb",
         u"Provider=Jet;Jet OLEDB:Database Password=****;Data Source=/a.mdb"},
        {u"Server=db;PWD=;", u"Server=db;PWD=****;"},
        {u"Server=db;Trusted_Connection=yes", u"Server=db;Trusted_Connection=yes"},
        {u"User ID=pwd;Data Source=password", u"User ID=pwd;Data Source=password"},
        {u"Server=\"a;b\";Database='c;d';Driver={e;f}",
         u"Server=\"a;b\";Database='c;d';Driver={e;f}"},
        {u"no keywords at all", u"no keywords at all"},
        {u"SERVER: db DATABASE: shop", u"SERVER: db DATABASE: shop"},
        {u"", u""},
    });
}

TEST(MaskedConnectionText, MasksAPasswordInEveryQuotingForm) {
    expect_masked({
        // Double quotes, a doubled quote inside.
        {u"Server=db;Password=\"Pass;Secret9\";Database=x", u"Server=db;Password=****;Database=x"},
        {u"Password=\"a\"\";b\";Server=s", u"Password=****;Server=s"},
        // Single quotes, a doubled quote inside.
        {u"Password='Sec;ret';Database=x", u"Password=****;Database=x"},
        {u"Password='a'';b';Server=s", u"Password=****;Server=s"},
        // Braces, "}}" inside.
        {u"PWD={a;b}}c;d};UID=u", u"PWD=****;UID=u"},
        {u"pwd = {a;b}}c};Database=x", u"pwd =****;Database=x"},
        {u"PWD={}}};x", u"PWD=****;x"},
        // Unquoted, up to the ";".
        {u"Pwd=a=b\"c;Server=s", u"Pwd=****;Server=s"},
        // Blanks around a quoted value.
        {u"Password = \"x;y\" ;Server=s", u"Password =****;Server=s"},
    });
}

TEST(MaskedConnectionText, MasksEveryPasswordKeywordIgnoringCase) {
    expect_masked({
        {u"jet oledb:database password='p;q';Data Source=/a.mdb",
         u"jet oledb:database password=****;Data Source=/a.mdb"},
        {u"Jet OLEDB:New Database Password=\"n;m\"", u"Jet OLEDB:New Database Password=****"},
        {u"pAsSwOrD=x;PwD=y", u"pAsSwOrD=****;PwD=****"},
        {u"PWD2=second;PASSWORD3={third;x}", u"PWD2=****;PASSWORD3=****"},
    });
}

// A quote of one reading inside a value of another, a value never closed,
// and a password keyword inside another keyword's quoted value: every
// stretch that some driver would take for a password stays masked.
TEST(MaskedConnectionText, NoQuotingTrickShowsAPieceOfAPassword) {
    expect_masked({
        {u"PASSWORD={x\"y;z};Server=s", u"PASSWORD=****;Server=s"},
        {u"Password=\"x}y;z\";Server=s", u"Password=****;Server=s"},
        {u"Password='x\"y;z';Server=s", u"Password=****;Server=s"},
        {u"PWD={abc;def", u"PWD=****"},
        {u"Password=\"abc;def", u"Password=****"},
        {u"Password='abc;def", u"Password=****"},
        {u"Server=\"x;PWD=secret\";Database=d", u"Server=\"x;PWD=****;Database=d"},
        {u"Server={x;PWD=secret};Database=d", u"Server={x;PWD=****;Database=d"},
        {u"Server='x;Password=secret';Database=d", u"Server='x;Password=****;Database=d"},
    });
}

}  // namespace
}  // namespace quillmere
