#include "write/writeOptions.h"

#include "containers/bitSetCursor_c.h"
#include "containers/bitSet_c.h"
#include "host/molecule_c.h"

namespace InChI_n {

namespace {

constexpr int32_t chiralFlagGroup = 12;

// Keyword tests are substring tests anywhere in the text, not word matches:
// that is how callers have always switched these modes.
bool contains(const string_c& text, const char* keyword, bool caseSensitive) {
    return text.find(string_c(keyword), 0, caseSensitive) != text.length();
}

// Group types that neither set nor clear the chiral flag.
bool leavesChiralFlag(int32_t typeCode) { return typeCode >= 15 && typeCode <= 17; }

}  // namespace

string_c chiralFlagOption(molecule_c& molecule) {
    string_c flag;
    bitSet_c groups;
    molecule.objectsOfKind(groups, kindGroup);
    if (groups.byteCount != 0) {
        bitSetCursor_c cursor;
        cursor.start(groups);
        while (cursor.next()) {
            group_c* group = molecule.groupAt(cursor.current);
            // A group the host cannot show us cannot vouch for the chiral
            // flag, so it clears it like any unknown type does.
            const int32_t typeCode = group ? group->typeCode() : -1;
            if (typeCode == chiralFlagGroup) {
                if (flag.length() == 0) flag.assign(string_c(" CHIRALFLAGON"));
            } else if (!leavesChiralFlag(typeCode)) {
                flag.assign(string_c(" CHIRALFLAGOFF"));
            }
        }
    }
    if (flag.length() == 0) flag.assign(string_c(" CHIRALFLAGOFF"));
    return flag;
}

string_c buildWriteOptions(molecule_c& molecule, const char* callerOptions) {
    string_c options(callerOptions);
    options.trim().toUpper().append(" NEWPS");
    if (contains(options, "SUCF", false) && !contains(options, "ChiralFlagOn", false) &&
        !contains(options, "ChiralFlagOff", false)) {
        options.append(chiralFlagOption(molecule));
    }
    options.prefixWords(optionPrefix);
    return options;
}

bool asksTavrelHydrogens(const string_c& options) { return contains(options, "AddTavrelH", false); }

bool suppressesAuxInfo(const string_c& options) {
    string_c upper(options);
    upper.toUpper();
    return contains(upper, "AUXNONE", true);
}

}  // namespace InChI_n
