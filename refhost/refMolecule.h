#pragma once
// The reference host's molecule model: one 32-bit index space for atoms (kinds
// 21, 45 and 51), bonds (22) and groups (24, with a type code). Objects are
// never removed, so indices grow in creation order.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/molecule_c.h"
#include "refhost/chunkedStore.h"
#include "refhost/hostCall.h"
#include "refhost/indexList.h"

namespace refhost {

inline bool isAtomKind(int32_t kind) { return kind == kindAtom || kind == kindAtomExtra45 || kind == kindAtomExtra51; }

class refMolecule_c;

class refAtom_c final : public atom_c {
public:
    refAtom_c(refMolecule_c& molecule, uint32_t index);
    refAtom_c(refMolecule_c& molecule, uint32_t index, const char* symbol);

    int32_t kind() override;
    uint32_t index() override;
    bitSet_c& relatedSet(bitSet_c& set, int32_t kind) override;
    int32_t atomicNumber() override;  // from the symbol; 0 for an unknown one
    void setCharge(int32_t charge) override;
    int32_t charge() override;
    void setIsotopeMass(int32_t mass) override;
    int32_t isotopeMass() override;
    void setMultiplicity(int32_t multiplicity) override;
    int32_t multiplicity() override;
    void setCount(int32_t code, int32_t n) override;
    int32_t count(int32_t code) override;  // 0 for a code never set
    void setSymbol(const char* symbol) override;
    const char* symbol() override;
    int32_t valence() override;
    void setX(float v) override;
    double x2D() override;
    void setY(float v) override;
    double y2D() override;
    void setZ(float v) override;
    double x3D() override;
    double y3D() override;
    double z3D() override;
    bitSet_c& neighbours(bitSet_c& set, int32_t kind) override;

    // Direct access for builders and tests; these report no host call.
    void setKind(int32_t kind) { kind_ = kind; }
    void setValence(int32_t valence) { valence_ = valence; }
    // Coordinates at full double precision (setX/Y/Z take single precision).
    void place(double x, double y, double z) { x_ = x; y_ = y; z_ = z; }
    double x() const { return x_; }
    double y() const { return y_; }
    double z() const { return z_; }
    const std::string& symbolText() const { return symbol_; }
    int32_t chargeValue() const { return charge_; }
    int32_t isotopeValue() const { return isotope_; }
    int32_t multiplicityValue() const { return multiplicity_; }
    int32_t countValue(int32_t code) const;
    int32_t valenceValue() const { return valence_; }
    int32_t kindValue() const { return kind_; }
    // Bond indices at this atom, in creation order.
    const indexList_c& bondIndices() const { return bonds_; }
    // An index that neighbours() reports besides the real neighbours, to play a
    // host that breaks its promise (no shared bond, or not an atom at all).
    void addPhantomNeighbour(uint32_t index) { phantoms_.push_back(index); }

private:
    friend class refMolecule_c;
    void report(const char* op, int64_t arg0 = 0, int64_t arg1 = 0, double value = 0) const;
    void storeSymbol(const char* symbol);

    refMolecule_c& molecule_;
    uint32_t index_;
    int32_t kind_ = 0;
    int32_t charge_ = 0;
    int32_t isotope_ = 0;
    int32_t multiplicity_ = 0;
    int32_t valence_ = atom_c::valenceNotSet;
    int32_t counts_[32] = {};
    std::string symbol_;
    int32_t atomicNumber_ = 0;  // follows symbol_, so that atomicNumber() does no lookup
    double x_ = 0, y_ = 0, z_ = 0;
    indexList_c bonds_;
    std::vector<uint32_t> phantoms_;
};

class refBond_c final : public bond_c {
public:
    refBond_c(refMolecule_c& molecule, uint32_t index, uint32_t first, uint32_t second);

    uint32_t atomIndexAt(int32_t end) override;  // 0: first end, otherwise the second
    void setStereoFlag(int32_t flag) override;
    void setDoubleStereo(int32_t code) override;
    void setOrder(int32_t order) override;
    void setWedge(int32_t code) override;
    int32_t doubleStereo() override;
    int32_t order() override;
    int32_t wedge() override;

    uint32_t index() const { return index_; }
    uint32_t first() const { return first_; }
    uint32_t second() const { return second_; }
    uint32_t other(uint32_t atomIndex) const { return atomIndex == first_ ? second_ : first_; }
    int32_t orderValue() const { return order_; }
    int32_t wedgeValue() const { return wedge_; }
    int32_t doubleStereoValue() const { return doubleStereo_; }
    int32_t stereoFlagValue() const { return stereoFlag_; }

private:
    friend class refMolecule_c;
    void report(const char* op, int64_t arg0 = 0) const;

    refMolecule_c& molecule_;
    uint32_t index_;
    uint32_t first_, second_;
    int32_t order_ = 1;
    int32_t wedge_ = 0;
    int32_t doubleStereo_ = 0;
    int32_t stereoFlag_ = 0;
};

class refGroup_c final : public group_c {
public:
    refGroup_c(refMolecule_c& molecule, uint32_t index, int32_t typeCode);
    int32_t typeCode() override;
    int32_t typeCodeValue() const { return typeCode_; }

private:
    refMolecule_c& molecule_;
    uint32_t index_;
    int32_t typeCode_;
};

class refMolecule_c final : public molecule_c {
public:
    refMolecule_c();
    ~refMolecule_c();
    refMolecule_c(const refMolecule_c&) = delete;
    refMolecule_c& operator=(const refMolecule_c&) = delete;

    // molecule_c
    atom_c* atomAt(uint32_t index) override;
    bond_c* bondAt(uint32_t index) override;
    group_c* groupAt(uint32_t index) override;
    uint32_t addAtom(uint32_t owner, int32_t reserved) override;
    uint32_t addBond(uint32_t atomIndex, uint32_t neighbourIndex, int32_t reserved) override;
    uint32_t ownerHandle(int32_t reserved) override;
    bitSet_c& objectsOfKind(bitSet_c& set, int32_t kind) override;
    bitSet_c& bondsOfAtom(bitSet_c& set, uint32_t atomIndex) override;

    // Building and inspection, for the converter and tests; no host call is reported.
    uint32_t newAtom(const char* symbol, int32_t objectKind = kindAtom);
    // An index of the given kind for which atomAt answers null.
    uint32_t newMissingAtom(int32_t objectKind = kindAtom);
    uint32_t newBond(uint32_t first, uint32_t second, int32_t order);
    uint32_t newGroup(int32_t typeCode);
    refAtom_c* atom(uint32_t index);  // null when the index holds no atom object
    refBond_c* bond(uint32_t index);
    refGroup_c* group(uint32_t index);
    // Indices of every object of a kind, ascending (missing atoms included).
    const std::vector<uint32_t>& indicesOfKind(int32_t kind) const;
    uint32_t objectCount() const;
    // Bond indices in creation order.
    const std::vector<uint32_t>& bondIndices() const { return indicesOfKind(kindBond); }

    // From now on addAtom / addBond make objects for which atomAt / bondAt answer null.
    void setAddYieldsMissing(bool atoms, bool bonds);

    void setHook(hostHook_t hook) { hook_ = std::move(hook); }
    void report(const char* op, uint32_t object, int64_t arg0 = 0, int64_t arg1 = 0, double value = 0) const
    {
        enterHostCall(hook_, op, object, arg0, arg1, value);
    }

private:
    struct slot_c {
        int32_t kind;
        void* object;  // in atoms_, bonds_ or groups_ as the kind says; null for a missing object
    };
    // Making an object first makes room for its slot (returning the index
    // list of its kind, one of the five below), then builds the object, then
    // takes the slot, which cannot fail: a failure at any step leaves the
    // molecule as it was.
    std::vector<uint32_t>& roomForSlot(int32_t kind);
    uint32_t takeSlot(std::vector<uint32_t>& list, int32_t kind, void* object);

    std::vector<slot_c> slots_;
    chunkedStore_c<refAtom_c> atoms_;
    chunkedStore_c<refBond_c> bonds_;
    chunkedStore_c<refGroup_c> groups_;
    std::vector<uint32_t> kindAtoms_, kind45_, kind51_, kindBonds_, kindGroups_, kindNone_;
    bool addAtomMissing_ = false;
    bool addBondMissing_ = false;
    hostHook_t hook_;
};

// Inline: most host calls the driver makes look an object up by its index.
inline refAtom_c* refMolecule_c::atom(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return isAtomKind(slot.kind) ? static_cast<refAtom_c*>(slot.object) : nullptr;
}

inline refBond_c* refMolecule_c::bond(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return slot.kind == kindBond ? static_cast<refBond_c*>(slot.object) : nullptr;
}

inline refGroup_c* refMolecule_c::group(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return slot.kind == kindGroup ? static_cast<refGroup_c*>(slot.object) : nullptr;
}

// Defined here, where the molecule is complete, so that every operation's
// report inlines down to enterHostCall.
inline void refAtom_c::report(const char* op, int64_t arg0, int64_t arg1, double value) const
{
    molecule_.report(op, index_, arg0, arg1, value);
}

inline void refBond_c::report(const char* op, int64_t arg0) const
{
    molecule_.report(op, index_, arg0);
}

}  // namespace refhost
