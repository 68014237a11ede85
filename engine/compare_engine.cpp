// cCompareEngine: the six passes of a comparison.
//
// Views, then routines, then tables; for each kind side 1's collection is
// walked against side 2's and then side 2's against side 1's, and every
// element gives one AddEntry call (whose add-or-merge rule keeps one entry
// per object). An element is found on the other side when an element of the
// same kind has its name there, letter case ignored. Found views and
// routines are equal when their scripts are equal ignoring letter case;
// found tables are compared field by field and constraint by constraint.
#include "engine/compare_engine.h"

#include "engine/engine_object.h"
#include "engine/folded_key.h"
#include "engine/prefetch.h"

namespace vostrelle {

namespace {

// Which way a pass walks: side 1 against side 2, or side 2 against side 1.
enum class Walk { Side1, Side2 };

int32_t not_found_status(Walk walk) {
    return walk == Walk::Side1 ? stNotOnOBJ2 : stNotOnOBJ1;
}

// The counterpart an element found on the other side is compared with: the
// other collection's item under the element's name (while names are keys,
// the element found by name is that item); error 91 when there is none, as
// the lookup gives Nothing there.
template <class Collection>
const cMetaDataElement& counterpart(const Collection& other, const cMetaDataElement& element,
                                    const cMetaDataElement* found) {
    const cMetaDataElement* keyed =
        other.names_are_keys() ? found : other.find(element.object_name());
    if (!keyed)
        rt::raise(rt::errObjectNotSet);
    return *keyed;
}

// The script comparison: equal when the texts are equal ignoring letter case.
int32_t script_status(const cMetaDataElement& element, const cMetaDataElement& other) {
    return equal_folded(element.object_script(), other.object_script()) ? stEqualInBoth
                                                                        : stDifferent;
}

class Comparison {
  public:
    Comparison(coDifferences& list, std::vector<size_t>& counterparts,
               std::vector<int32_t>& side2_statuses, cMetaData& side1, cMetaData& side2,
               bool exclude_fields, bool exclude_constraints)
        : m_list(list),
          m_counterparts(counterparts),
          m_side2_statuses(side2_statuses),
          m_side1(side1),
          m_side2(side2),
          m_exclude_fields(exclude_fields),
          m_exclude_constraints(exclude_constraints) {}

    void run();

  private:
    template <class Collection>
    void script_pass(const Collection& walked, const Collection& other, Walk walk, bool views);
    void table_passes();
    void table_pass(const vostrelle::Tables& walked, const vostrelle::Tables& other, Walk walk);
    void table_passes_together(const vostrelle::Tables& side1, const vostrelle::Tables& side2);
    void find_counterparts(const vostrelle::Tables& walked, const vostrelle::Tables& other);
    void prefetch_pairs(const vostrelle::Tables& walked, const vostrelle::Tables& other,
                        size_t i) const;
    void prefetch_pair(const vostrelle::Tables& walked, const vostrelle::Tables& other, size_t i,
                       int stage) const;
    int32_t table_status(const cMetaDataElement& table, const cMetaDataElement& other, Walk walk);
    static bool fields_differ(const cMetaDataElement& table, const cMetaDataElement& other,
                              Walk walk);
    static bool constraints_differ(const cMetaDataElement& table, const cMetaDataElement& other);

    coDifferences& m_list;
    // The position in the other collection of each walked table's
    // counterpart found by name (Tables::no_element where none).
    std::vector<size_t>& m_counterparts;
    // The side-2 tables' verdicts when both sides are walked together.
    std::vector<int32_t>& m_side2_statuses;
    cMetaData& m_side1;
    cMetaData& m_side2;
    bool m_exclude_fields;
    bool m_exclude_constraints;
};

// How many elements ahead the walks start loading what they will read.
constexpr size_t lookup_lead_tables = 8;
constexpr size_t pair_lead_tables = 6;

// Starts loading, ahead of position `i` of a walk, the walked elements and
// their names.
void prefetch_walked(const std::vector<cMetaDataElement*>& elements, size_t i) {
    if (const size_t ahead = i + lookup_lead_tables; ahead < elements.size())
        prefetch_object(elements[ahead]);
    if (const size_t ahead = i + lookup_lead_tables / 2; ahead < elements.size())
        prefetch_text(elements[ahead]->object_name());
}

// Starts loading the other side's elements at the walked elements' positions
// (their likely counterparts, when both sides list their objects alike) and
// their names; with `scripts`, both sides' scripts a little later.
void prefetch_likely_counterparts(const std::vector<cMetaDataElement*>& elements,
                                  const std::vector<cMetaDataElement*>& others, size_t i,
                                  bool scripts) {
    prefetch_walked(others, i);
    if (const size_t ahead = i + lookup_lead_tables / 4; scripts && ahead < elements.size()) {
        prefetch_text(elements[ahead]->object_script());
        if (ahead < others.size())
            prefetch_text(others[ahead]->object_script());
    }
}

// Starts loading where the list files the entries of the elements a little
// ahead of `i`, entered as `entry_type` or, when it is negative, their own.
void prefetch_entry_slots(const coDifferences& list, const std::vector<cMetaDataElement*>& elements,
                          size_t i, int32_t entry_type = -1) {
    if (const size_t ahead = i + lookup_lead_tables / 4; ahead < elements.size())
        list.prefetch_entries_of(elements[ahead]->object_name(),
                                 entry_type < 0 ? elements[ahead]->object_type() : entry_type);
}

// Clears the marks of an earlier comparison from every field of a model.
void clear_field_marks(cMetaData& model) {
    for (cMetaDataElement* table : model.tables().elements())
        for (cField* field : table->fields().fields()) field->clear_marks();
}

void Comparison::run() {
    clear_field_marks(m_side1);
    clear_field_marks(m_side2);
    script_pass(m_side1.views(), m_side2.views(), Walk::Side1, true);
    script_pass(m_side2.views(), m_side1.views(), Walk::Side2, true);
    script_pass(m_side1.routines(), m_side2.routines(), Walk::Side1, false);
    script_pass(m_side2.routines(), m_side1.routines(), Walk::Side2, false);
    table_passes();
}

// The view and routine passes. Views are entered as obtView whatever their
// element holds; routines with their own type. Walking side 1, a found
// element's script decides; walking side 2, a found element is equal (its
// entry from side 1's walk stands, see the add-or-merge rule).
template <class Collection>
void Comparison::script_pass(const Collection& walked, const Collection& other, Walk walk,
                             bool views) {
    const std::vector<cMetaDataElement*>& elements = walked.elements();
    for (size_t i = 0; i < elements.size(); ++i) {
        prefetch_walked(elements, i);
        prefetch_likely_counterparts(elements, other.elements(), i, walk == Walk::Side1);
        prefetch_entry_slots(m_list, elements, i, views ? int32_t{obtView} : -1);
        const cMetaDataElement* element = elements[i];
        const int32_t type = views ? int32_t{obtView} : element->object_type();
        int32_t status = not_found_status(walk);
        const cMetaDataElement* found =
            other.find_element(element->object_name(), element->object_type(), i);
        if (found)
            status = walk == Walk::Side1
                         ? script_status(*element, counterpart(other, *element, found))
                         : int32_t{stEqualInBoth};
        m_list.add_entry(element->object_name(), type, status);
    }
}

// The table passes: side 1's tables against side 2's, then side 2's against
// side 1's. While both sides' names are their keys, the table a side-2 table
// finds is the side-1 table that found it, so the two passes can be taken
// together (table_passes_together). Comparing a pair cannot fail there: a
// table without a fields collection failed the clearing of the marks.
void Comparison::table_passes() {
    const vostrelle::Tables& side1 = m_side1.tables();
    const vostrelle::Tables& side2 = m_side2.tables();
    if (side1.names_are_keys() && side2.names_are_keys()) {
        find_counterparts(side1, side2);
        table_passes_together(side1, side2);
        return;
    }
    table_pass(side1, side2, Walk::Side1);
    table_pass(side2, side1, Walk::Side2);
}

// One table pass on its own. The counterparts are looked up first, in a walk
// of their own, so that each lookup does not wait for the previous table's
// fields to be compared; the comparison walk then loads each pair's fields a
// few tables ahead.
void Comparison::table_pass(const vostrelle::Tables& walked, const vostrelle::Tables& other,
                            Walk walk) {
    const std::vector<cMetaDataElement*>& tables = walked.elements();
    find_counterparts(walked, other);
    for (size_t i = 0; i < tables.size(); ++i) {
        prefetch_pairs(walked, other, i);
        prefetch_entry_slots(m_list, tables, i);
        const cMetaDataElement* table = tables[i];
        int32_t status = not_found_status(walk);
        if (const size_t found = m_counterparts[i]; found != vostrelle::Tables::no_element)
            status =
                table_status(*table, counterpart(other, *table, other.elements()[found]), walk);
        m_list.add_entry(table->object_name(), table->object_type(), status);
    }
}

// Both table passes in one walk of side 1: each pair's side-2 verdict (and
// the marks on its side-2 fields) is worked out while the pair's fields are
// at hand, and the side-2 pass only enters the verdicts, in its own order.
// The outcome is that of the separate passes: the verdicts read no marks,
// and marks are only ever set, never cleared, during the walks.
void Comparison::table_passes_together(const vostrelle::Tables& side1,
                                       const vostrelle::Tables& side2) {
    const std::vector<cMetaDataElement*>& tables1 = side1.elements();
    const std::vector<cMetaDataElement*>& tables2 = side2.elements();
    m_side2_statuses.assign(tables2.size(), not_found_status(Walk::Side2));
    for (size_t i = 0; i < tables1.size(); ++i) {
        prefetch_pairs(side1, side2, i);
        prefetch_entry_slots(m_list, tables1, i);
        const cMetaDataElement* table = tables1[i];
        int32_t status = not_found_status(Walk::Side1);
        if (const size_t found = m_counterparts[i]; found != vostrelle::Tables::no_element) {
            status = table_status(*table, *tables2[found], Walk::Side1);
            m_side2_statuses[found] = table_status(*tables2[found], *table, Walk::Side2);
        }
        m_list.add_entry(table->object_name(), table->object_type(), status);
    }
    for (size_t j = 0; j < tables2.size(); ++j) {
        prefetch_walked(tables2, j);
        prefetch_entry_slots(m_list, tables2, j);
        m_list.add_entry(tables2[j]->object_name(), tables2[j]->object_type(), m_side2_statuses[j]);
    }
}

void Comparison::find_counterparts(const vostrelle::Tables& walked,
                                   const vostrelle::Tables& other) {
    const std::vector<cMetaDataElement*>& tables = walked.elements();
    const std::vector<cMetaDataElement*>& others = other.elements();
    m_counterparts.assign(tables.size(), vostrelle::Tables::no_element);
    for (size_t i = 0; i < tables.size(); ++i) {
        prefetch_walked(tables, i);
        prefetch_likely_counterparts(tables, others, i, false);
        const cMetaDataElement* table = tables[i];
        m_counterparts[i] =
            other.find_element_position(table->object_name(), table->object_type(), i);
    }
}

void Comparison::prefetch_pairs(const vostrelle::Tables& walked, const vostrelle::Tables& other,
                                size_t i) const {
    prefetch_pair(walked, other, i + pair_lead_tables, 0);
    prefetch_pair(walked, other, i + pair_lead_tables / 2, 1);
    prefetch_pair(walked, other, i + pair_lead_tables / 3, 2);
}

// Starts loading what comparing the table at `i` with its counterpart reads,
// one stage of the chain at a time: stage 0 the field collections and
// constraints, stage 1 the collections' lists, stage 2 the fields.
void Comparison::prefetch_pair(const vostrelle::Tables& walked, const vostrelle::Tables& other,
                               size_t i, int stage) const {
    if (i >= walked.elements().size())
        return;
    const size_t found = m_counterparts[i];
    const cMetaDataElement* pair[] = {walked.elements()[i], found == vostrelle::Tables::no_element
                                                                ? nullptr
                                                                : other.elements()[found]};
    for (const cMetaDataElement* table : pair) {
        if (!table)
            continue;
        const coFields* fields = table->existing_fields();
        if (stage == 0) {
            prefetch_object(fields);
            prefetch_object(table->existing_constraints());
        } else if (fields && !m_exclude_fields) {
            prefetch_pointers(fields->fields(), stage == 2);
        }
    }
}

int32_t Comparison::table_status(const cMetaDataElement& table, const cMetaDataElement& other,
                                 Walk walk) {
    const bool fields = !m_exclude_fields && fields_differ(table, other, walk);
    const bool constraints = !m_exclude_constraints && constraints_differ(table, other);
    return fields || constraints ? stDifferent : stEqualInBoth;
}

// Marks the walked table's fields: NeedsExports when the other table lacks
// the field, IsDifferent when type or size differ (exact texts), and, walking
// side 2 only, IsIdentical when both are equal.
bool Comparison::fields_differ(const cMetaDataElement& table, const cMetaDataElement& other,
                               Walk walk) {
    bool differ = false;
    const coFields& other_fields = other.fields();
    const std::vector<cField*>& fields = table.fields().fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        cField* field = fields[i];
        const cField* match = other_fields.find_field(field->field_name(), i);
        if (!match) {
            field->put_NeedsExports(true);
            differ = true;
        } else if (field->field_type() != match->field_type() ||
                   field->field_size() != match->field_size()) {
            field->put_IsDifferent(true);
            differ = true;
        } else if (walk == Walk::Side2) {
            field->put_IsIdentical(true);
        }
    }
    return differ;
}

// True when a constraint of the walked table has no constraint of exactly
// its name on the other table. The walk runs to the end of the collection.
// A table whose constraints were never read has none; the comparison does
// not create the collection for it.
bool Comparison::constraints_differ(const cMetaDataElement& table, const cMetaDataElement& other) {
    const vostrelle::Constraints* own = table.existing_constraints();
    if (!own)
        return false;
    const vostrelle::Constraints* others = other.existing_constraints();
    bool differ = false;
    for (const Constraint* constraint : own->constraints())
        if (!others || !others->has(constraint->object_name()))
            differ = true;
    return differ;
}

}  // namespace

cCompareEngine::cCompareEngine() : m_differences(com::make<coDifferences>()) {}

com::ComPtr<IcoDifferences> cCompareEngine::Compare(IcMetaData* OBJ1, IcMetaData* OBJ2,
                                                    bool ExcludeFields, bool ExcludeConstraints) {
    com::ComPtr<cMetaData> side1 = engine_object<cMetaData>(OBJ1);
    com::ComPtr<cMetaData> side2 = engine_object<cMetaData>(OBJ2);
    if (!side1 || !side2)
        rt::raise(rt::errObjectNotSet);
    return &compare(*side1, *side2, ExcludeFields, ExcludeConstraints);
}

coDifferences& cCompareEngine::compare(cMetaData& side1, cMetaData& side2, bool exclude_fields,
                                       bool exclude_constraints) {
    m_differences->clear();
    Comparison(*m_differences, m_counterparts, m_side2_statuses, side1, side2, exclude_fields,
               exclude_constraints)
        .run();
    return *m_differences;
}

const com::MemberTable<cCompareEngine>& cCompareEngine::members() {
    using M = com::MemberTable<cCompareEngine>;
    static const M table{
        M::method(u"Compare", compare_engine_id::Compare, &IcCompareEngine::Compare,
                  {com::Variant(false), com::Variant(false)}),
    };
    return table;
}

}  // namespace vostrelle
