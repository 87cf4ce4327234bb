#include "fuzz/moleculeRecipe.h"

#include <cstring>

#include "refhost/elements.h"
#include "refhost/refMolecule.h"

namespace fuzz_n {

namespace {

using refhost::refMolecule_c;

enum opcode_e : uint8_t {
    opAtom,
    opMissingAtom,
    opBond,
    opGroup,
    opPhantomNeighbour,
    opHostThrows,
    opOptions,
    opFailingAttributes,
    opcodeCount,
};

enum atomField_e : uint8_t {
    fieldCoordinates = 1,
    fieldCharge = 2,
    fieldIsotope = 4,
    fieldRadical = 8,
    fieldValence = 16,
    fieldCounts = 32,
    fieldKind = 64,
};

// Symbol selectors below this byte name an element by atomic number (0: the
// empty symbol); from it on, the low nibble is the length of a raw symbol.
constexpr uint8_t rawSymbol = 0xF0;

// Neighbour indices a phantom may name: past the molecule, but not so far that
// the host's own set would take gigabytes.
constexpr uint32_t phantomReach = 65536;

const int32_t countCodes[] = {countImplicitH, countImplicit1H, countImplicit2H, countImplicit3H, countTavrelH};

const char* const optionWords[] = {
    "SUCF", "ChiralFlagOn", "ChiralFlagOff", "AUXNONE", "AddTavrelH", "FixedH", "RecMet", "SNon",
    "SRel", "SRac", "SUU", "DoNotAddH", "NEWPS", "sucf", "\t", "SLUUD",
};

class recipeReader_c {
public:
    recipeReader_c(const uint8_t* data, size_t size) : data_(data), left_(size) {}
    bool more() const { return left_ != 0; }
    uint8_t u8() {
        if (left_ == 0) return 0;
        --left_;
        return *data_++;
    }
    int8_t i8() { return static_cast<int8_t>(u8()); }
    uint16_t u16() { return static_cast<uint16_t>(u8() | (u8() << 8)); }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32() { return u16() | (static_cast<uint32_t>(u16()) << 16); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    double f64() {
        const uint64_t bits = u32() | (static_cast<uint64_t>(u32()) << 32);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const uint8_t* data_;
    size_t left_;
};

int32_t atomKind(uint8_t selector) {
    switch (selector % 4) {
    case 1: return kindAtomExtra45;
    case 2: return kindAtomExtra51;
    default: return kindAtom;
    }
}

std::string symbol(recipeReader_c& in) {
    const uint8_t selector = in.u8();
    if (selector < rawSymbol) {
        const char* element = refhost::elementSymbol(selector % (refhost::maxAtomicNumber + 1));
        return element ? element : "";
    }
    std::string raw;
    for (int n = selector - rawSymbol; n > 0; --n) raw += static_cast<char>(in.u8());
    return raw;
}

void readAtom(recipeReader_c& in, refMolecule_c& molecule) {
    const int32_t kind = atomKind(in.u8());
    const std::string text = symbol(in);
    refhost::refAtom_c& atom = *molecule.atom(molecule.newAtom(text.c_str(), kind));
    const uint8_t fields = in.u8();
    if (fields & fieldCoordinates) {
        const double x = in.f64(), y = in.f64(), z = in.f64();
        atom.place(x, y, z);
    }
    if (fields & fieldCharge) atom.setCharge(in.i8());
    if (fields & fieldIsotope) atom.setIsotopeMass(in.i16());
    if (fields & fieldRadical) {
        atom.setCount(countRadicalElectrons, in.i8());
        atom.setMultiplicity(in.i8());
    }
    if (fields & fieldValence) atom.setValence(in.i8());
    if (fields & fieldCounts)
        for (int32_t code : countCodes) atom.setCount(code, in.i8());
    if (fields & fieldKind) atom.setKind(in.i8());
}

void readBond(recipeReader_c& in, refMolecule_c& molecule) {
    const uint32_t first = in.u16();
    const uint32_t second = in.u16();
    refhost::refBond_c& bond = *molecule.bond(molecule.newBond(first, second, in.i8()));
    bond.setWedge(in.i8());
    bond.setDoubleStereo(in.i8());
}

void readPhantom(recipeReader_c& in, refMolecule_c& molecule) {
    refhost::refAtom_c* atom = molecule.atom(in.u16());
    const uint32_t neighbour = in.u32() % (molecule.objectCount() + phantomReach);
    if (atom) atom->addPhantomNeighbour(neighbour);
}

std::string options(uint16_t words) {
    std::string text;
    for (unsigned i = 0; i < sizeof optionWords / sizeof optionWords[0]; ++i)
        if (words & (1u << i)) text += std::string(text.empty() ? "" : " ") + optionWords[i];
    return text;
}

// Writer side of the recipe.
class recipeWriter_c {
public:
    void u8(uint8_t v) { bytes_ += static_cast<char>(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void f64(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(static_cast<uint32_t>(bits));
        u32(static_cast<uint32_t>(bits >> 32));
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

uint8_t kindSelector(refMolecule_c& molecule, uint32_t index) {
    for (uint32_t i : molecule.indicesOfKind(kindAtomExtra45))
        if (i == index) return 1;
    for (uint32_t i : molecule.indicesOfKind(kindAtomExtra51))
        if (i == index) return 2;
    return 0;
}

void writeSymbol(recipeWriter_c& out, const std::string& text) {
    const int element = refhost::atomicNumberOf(text.c_str());
    if (element != 0 && text == refhost::elementSymbol(element)) {
        out.u8(static_cast<uint8_t>(element));
        return;
    }
    const size_t length = text.size() < 15 ? text.size() : 15;
    out.u8(static_cast<uint8_t>(rawSymbol + length));
    for (size_t i = 0; i < length; ++i) out.u8(static_cast<uint8_t>(text[i]));
}

void writeAtom(recipeWriter_c& out, refMolecule_c& molecule, uint32_t index) {
    refhost::refAtom_c& atom = *molecule.atom(index);
    out.u8(opAtom);
    out.u8(kindSelector(molecule, index));
    writeSymbol(out, atom.symbolText());
    bool counts = false;
    for (int32_t code : countCodes) counts = counts || atom.countValue(code) != 0;
    uint8_t fields = fieldCoordinates;
    if (atom.chargeValue() != 0) fields |= fieldCharge;
    if (atom.isotopeValue() != 0) fields |= fieldIsotope;
    if (atom.countValue(countRadicalElectrons) != 0) fields |= fieldRadical;
    if (atom.valenceValue() != atom_c::valenceNotSet) fields |= fieldValence;
    if (counts) fields |= fieldCounts;
    if (atom.kindValue() != 0) fields |= fieldKind;
    out.u8(fields);
    out.f64(atom.x());
    out.f64(atom.y());
    out.f64(atom.z());
    if (fields & fieldCharge) out.u8(static_cast<uint8_t>(atom.chargeValue()));
    if (fields & fieldIsotope) out.u16(static_cast<uint16_t>(atom.isotopeValue()));
    if (fields & fieldRadical) {
        out.u8(static_cast<uint8_t>(atom.countValue(countRadicalElectrons)));
        out.u8(static_cast<uint8_t>(atom.multiplicityValue()));
    }
    if (fields & fieldValence) out.u8(static_cast<uint8_t>(atom.valenceValue()));
    if (fields & fieldCounts)
        for (int32_t code : countCodes) out.u8(static_cast<uint8_t>(atom.countValue(code)));
    if (fields & fieldKind) out.u8(static_cast<uint8_t>(atom.kindValue()));
}

void writeBond(recipeWriter_c& out, refhost::refBond_c& bond) {
    out.u8(opBond);
    out.u16(static_cast<uint16_t>(bond.first()));
    out.u16(static_cast<uint16_t>(bond.second()));
    out.u8(static_cast<uint8_t>(bond.orderValue()));
    out.u8(static_cast<uint8_t>(bond.wedgeValue()));
    out.u8(static_cast<uint8_t>(bond.doubleStereoValue()));
}

}  // namespace

hostConduct_c buildFromRecipe(const uint8_t* data, size_t size, refMolecule_c& molecule) {
    hostConduct_c conduct;
    recipeReader_c in(data, size);
    while (in.more()) {
        switch (in.u8() % opcodeCount) {
        case opAtom: readAtom(in, molecule); break;
        case opMissingAtom: molecule.newMissingAtom(atomKind(in.u8())); break;
        case opBond: readBond(in, molecule); break;
        case opGroup: molecule.newGroup(in.i8()); break;
        case opPhantomNeighbour: readPhantom(in, molecule); break;
        case opHostThrows:
            conduct.throwAtCall = in.u16();
            conduct.throwKind = in.u8() % 4;
            conduct.throwCode = in.i32();
            break;
        case opOptions: conduct.options = options(in.u16()); break;
        case opFailingAttributes: conduct.failingAttributes = in.u8(); break;
        }
    }
    return conduct;
}

std::string recipeOf(refMolecule_c& molecule) {
    recipeWriter_c out;
    for (uint32_t i = 0; i < molecule.objectCount(); ++i) {
        if (molecule.atom(i)) {
            writeAtom(out, molecule, i);
        } else if (refhost::refBond_c* bond = molecule.bond(i)) {
            writeBond(out, *bond);
        } else if (refhost::refGroup_c* group = molecule.group(i)) {
            out.u8(opGroup);
            out.u8(static_cast<uint8_t>(group->typeCodeValue()));
        } else {
            out.u8(opMissingAtom);
            out.u8(kindSelector(molecule, i));
        }
    }
    return out.bytes();
}

}  // namespace fuzz_n
