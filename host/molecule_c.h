#pragma once
// The host's molecule model, reached only through these abstract operations.
// The driver holds non-owning references to every object and never frees one;
// it changes a molecule only while reading, through addAtom and addBond.

#include <cstdint>

class bitSet_c;
class atom_c;
class bond_c;
class group_c;

// Kind codes of the host's 32-bit object index space.
enum : int32_t {
    kindAtom = 21,
    kindBond = 22,
    kindGroup = 24,
    kindAtomExtra45 = 45,
    kindAtomExtra51 = 51,
};

// Count codes of atom_c::count and atom_c::setCount.
enum : int32_t {
    countImplicitH = 2,
    countImplicit1H = 5,
    countImplicit2H = 8,
    countImplicit3H = 11,
    countRadicalElectrons = 16,
    countTavrelH = 27,
};

class molecule_c {
public:
    virtual atom_c* atomAt(uint32_t index) = 0;           // null when no atom object
    virtual bond_c* bondAt(uint32_t index) = 0;           // null when none
    virtual group_c* groupAt(uint32_t index) = 0;         // never null for a kind-24 index
    virtual uint32_t addAtom(uint32_t owner, int32_t reserved) = 0;
    virtual uint32_t addBond(uint32_t atomIndex, uint32_t neighbourIndex, int32_t reserved) = 0;
    virtual uint32_t ownerHandle(int32_t reserved) = 0;
    // Set operations fill the set handed in and return that same set.
    virtual bitSet_c& objectsOfKind(bitSet_c& set, int32_t kind) = 0;
    virtual bitSet_c& bondsOfAtom(bitSet_c& set, uint32_t atomIndex) = 0;

protected:
    ~molecule_c() = default;
};

class atom_c {
public:
    virtual int32_t kind() = 0;  // 0 and 2 can be written
    virtual uint32_t index() = 0;
    virtual bitSet_c& relatedSet(bitSet_c& set, int32_t kind) = 0;
    virtual int32_t atomicNumber() = 0;
    virtual void setCharge(int32_t charge) = 0;
    virtual int32_t charge() = 0;
    virtual void setIsotopeMass(int32_t mass) = 0;
    virtual int32_t isotopeMass() = 0;
    virtual void setMultiplicity(int32_t multiplicity) = 0;
    virtual int32_t multiplicity() = 0;
    virtual void setCount(int32_t code, int32_t n) = 0;
    virtual int32_t count(int32_t code) = 0;
    virtual void setSymbol(const char* symbol) = 0;  // the host keeps its own copy
    virtual const char* symbol() = 0;                // NUL-terminated
    virtual int32_t valence() = 0;                   // valenceNotSet when not set
    virtual void setX(float v) = 0;
    virtual double x2D() = 0;
    virtual void setY(float v) = 0;
    virtual double y2D() = 0;
    virtual void setZ(float v) = 0;
    virtual double x3D() = 0;
    virtual double y3D() = 0;
    virtual double z3D() = 0;
    // Indices of the bonded atoms; each shares a bond with this atom.
    virtual bitSet_c& neighbours(bitSet_c& set, int32_t kind) = 0;

    static constexpr int32_t valenceNotSet = -128;

protected:
    ~atom_c() = default;
};

// Wedge codes: 0 none, 1 up, 2 down, 3 either, seen from the bond's first end;
// 6, 7, 8 the same seen from its second end; 12 and 13 read like 1 and 6.
// Double-bond stereo: 3 = either.
class bond_c {
public:
    virtual uint32_t atomIndexAt(int32_t end) = 0;
    virtual void setStereoFlag(int32_t flag) = 0;
    virtual void setDoubleStereo(int32_t code) = 0;
    virtual void setOrder(int32_t order) = 0;
    virtual void setWedge(int32_t code) = 0;
    virtual int32_t doubleStereo() = 0;
    virtual int32_t order() = 0;
    virtual int32_t wedge() = 0;

protected:
    ~bond_c() = default;
};

class group_c {
public:
    virtual int32_t typeCode() = 0;  // 12 marks a chiral flag

protected:
    ~group_c() = default;
};
