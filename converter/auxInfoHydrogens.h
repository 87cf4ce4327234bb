#pragma once
// What an SD file needs beyond the molecule TavrRead builds so that writing it
// again gives the same InChI. The driver reads with the InChI library adding
// no hydrogens, so every atom comes back with a count of 0, whether the
// AuxInfo fixed that atom's hydrogens (an unusual valence it records) or left
// them to the library's rules. Parsing the same AuxInfo with hydrogens added
// tells the two apart: fixed atoms get a count, the others -1.

#include <string>

namespace refhost {
class refMolecule_c;
}

namespace converter_n {

struct auxInfoFacts_c {
    bool parsed = false;
    bool chiral = false;  // the structure was marked chiral
};

// Gives each atom whose hydrogens the AuxInfo fixes a valence of its bond
// order sum plus those hydrogens, so that the molfile's valence field carries
// them; the other atoms keep no valence. molecule must be what TavrRead built
// from auxInfo: its atoms, in index order, are the library's atom records in
// first-reference order (a record, then the neighbours it lists).
auxInfoFacts_c encodeAuxInfoHydrogens(const std::string& auxInfo, refhost::refMolecule_c& molecule);

}  // namespace converter_n
