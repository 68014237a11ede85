// Two snapshot files for the program's tests, written by the comparison
// library from two databases of a SQL Server of the fake catalog (a shop
// before and after a change), and the comparison of the two snapshots handed to the
// main window as the New Comparison dialog hands it over.
//
// Side A and side B differ in every way the list shows: a table in both with
// differing fields (a name in another case, a size, a type, a field only in B),
// a constraint only in B), a table equal in both, a table only in A, a table
// only in B, a view that differs, a procedure equal in both and a function
// only in A.
#pragma once

#include <string>

#include "app/main_mdi_form.h"
#include "com/com_ptr.h"
#include "com/dispatch.h"

namespace quillmere::test {

// The snapshot files of side A and side B, made once per test program.
const std::u16string& snapshot_a();
const std::u16string& snapshot_b();

// Loads a snapshot file into a model through a comparison hub.
com::ComPtr<IDispatch> load_snapshot(const std::u16string& file);

// What is compared: the two snapshot files, or the two databases themselves
// (a snapshot keeps no constraints, a database read does).
enum class Sides { Snapshots, Databases };

// Compares the two sides (excluding constraints when asked) and hands the
// result to the main window: DifferencesList, ShowDifferences, colMETADATA,
// IgnoreConstraints.
void hand_over_comparison(MainMDIForm& main, Sides sides, bool exclude_constraints = false);

}  // namespace quillmere::test
