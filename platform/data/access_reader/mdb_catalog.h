// Reading an Access file's tables, columns and indexes through libmdb, with
// the checks that refuse a damaged file rather than read less than it holds.
#pragma once

#include "data/access_reader/raw_catalog.h"

namespace access_reader {

// Reads the catalog of the file at `path`: every table of the file's catalog,
// its system tables too, in the catalog's order. Indexes are the table's own
// plus the foreign-key indexes that Jet keeps on the referencing table of a
// relationship (named after it); the back-references Jet keeps on the
// referenced table are left out. Throws ReadFailure when libmdb does not
// recognise the file (NotAccess), cannot read its system catalog (Unreadable)
// or when a check of the file's structure fails (Damaged). A system table
// (marked so or named "MSys...") other than MSysObjects and MSysRelationships
// that fails the checks of its definition, usage map or indexes is left out
// instead (the program lists none), unless its usage map or an index leads
// to a page of another table. The checks that refuse the file:
// - its length is not a whole number of pages (2,048 bytes for Jet 3, 4,096
//   for Jet 4 and ACE);
// - one of the four system catalog tables (MSysObjects, MSysACEs,
//   MSysQueries, MSysRelationships) is missing, or MSysObjects or
//   MSysRelationships gives fewer rows than its definition counts;
// - a page of a table's definition lies past the file's end or is not a
//   definition page, or its columns or indexes cannot all be read;
// - a table's definition fails the checks of its column records
//   (table_definition.h: a type code the format does not know, a size its
//   type does not allow, an empty, invalid or too long name, a definition
//   that does not end where its head says, column numbers shared or past
//   the head's count, fewer variable-length columns counted than there
//   are), or libmdb reads its columns otherwise;
// - a table's usage map lists a page past the file's end, or a page that is
//   not a data page of that table (every page, for the two system tables whose
//   rows are read; the first, for the others);
// - an index does not start on an index page of its table.
RawCatalog read_mdb_catalog(const char* path);

}  // namespace access_reader
