// The reference host's molecule as the driver sees it: the calls it reports,
// the sets it fills and the values its atoms and bonds give back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "containers/bitSet_c.h"
#include "corelib/standInControl.h"
#include "host/mutex_c.h"
#include "host/tavrelException_c.h"
#include "host/tavrelcore.h"
#include "refhost/elements.h"
#include "refhost/refMolecule.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using refhost::hostCall_c;
using refhost::noObject;
using refhost::refMolecule_c;

std::vector<uint32_t> members(const bitSet_c& set)
{
    std::vector<uint32_t> out;
    uint32_t i = 0;
    for (bool more = set.nextSetBit(0, i); more; more = set.nextSetBit(i + 1, i))
        out.push_back(i);
    return out;
}

struct seenCall_c {
    std::string op;
    uint32_t object;
    int64_t arg0;
    int64_t arg1;
    bool operator==(const seenCall_c& o) const
    {
        return op == o.op && object == o.object && arg0 == o.arg0 && arg1 == o.arg1;
    }
};

std::ostream& operator<<(std::ostream& os, const seenCall_c& c)
{
    return os << c.op << "(" << c.object << ", " << c.arg0 << ", " << c.arg1 << ")";
}

// Ethanol-like: C0 - C1 - O2, a missing kind-45 atom 3, a kind-51 N 4, a
// chiral-flag group 5, and the bonds 6 (0-1, double) and 7 (1-2).
class refMoleculeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        c0 = mol.newAtom("C");
        c1 = mol.newAtom("C");
        o2 = mol.newAtom("O");
        missing3 = mol.newMissingAtom(kindAtomExtra45);
        n4 = mol.newAtom("N", kindAtomExtra51);
        group5 = mol.newGroup(12);
        bond6 = mol.newBond(c0, c1, 2);
        bond7 = mol.newBond(c1, o2, 1);
    }
    void record()
    {
        mol.setHook([this](const hostCall_c& c) { calls.push_back({c.op, c.object, c.arg0, c.arg1}); });
    }

    refMolecule_c mol;
    uint32_t c0 = 0, c1 = 0, o2 = 0, missing3 = 0, n4 = 0, group5 = 0, bond6 = 0, bond7 = 0;
    std::vector<seenCall_c> calls;
};

TEST_F(refMoleculeTest, hookSeesEveryInterfaceCallInOrderAndBuildersStaySilent)
{
    record();
    atom_c* atom = mol.atomAt(c1);
    ASSERT_NE(atom, nullptr);
    atom->setCount(countImplicitH, 3);
    atom->symbol();
    bond_c* bond = mol.bondAt(bond6);
    ASSERT_NE(bond, nullptr);
    bond->atomIndexAt(1);
    mol.groupAt(group5)->typeCode();
    bitSet_c set;
    mol.objectsOfKind(set, kindBond);

    mol.newAtom("S");
    mol.atom(c0)->place(1, 2, 3);
    mol.bond(bond7)->orderValue();

    EXPECT_THAT(calls, ElementsAre(seenCall_c{"atomAt", noObject, c1, 0},
                                   seenCall_c{"setCount", c1, countImplicitH, 3},
                                   seenCall_c{"symbol", c1, 0, 0},
                                   seenCall_c{"bondAt", noObject, bond6, 0},
                                   seenCall_c{"atomIndexAt", bond6, 1, 0},
                                   seenCall_c{"groupAt", noObject, group5, 0},
                                   seenCall_c{"typeCode", group5, 0, 0},
                                   seenCall_c{"objectsOfKind", noObject, kindBond, 0}));
}

// The hook runs before the operation's work, so a host failure changes nothing.
TEST_F(refMoleculeTest, throwingHookPropagatesBeforeTheWork)
{
    atom_c* atom = mol.atomAt(c0);
    mol.setHook([](const hostCall_c& c) {
        if (std::string(c.op) == "setCharge" || std::string(c.op) == "addAtom")
            throw tavrelException_c{42};
    });
    try {
        atom->setCharge(-1);
        FAIL() << "no exception";
    } catch (const tavrelException_c& e) {
        EXPECT_EQ(e.code, 42);
    }
    EXPECT_EQ(mol.atom(c0)->chargeValue(), 0);
    const uint32_t before = mol.objectCount();
    EXPECT_THROW(mol.addAtom(mol.ownerHandle(-1), -1), tavrelException_c);
    EXPECT_EQ(mol.objectCount(), before);
}

TEST_F(refMoleculeTest, setsOfEachKind)
{
    bitSet_c set;
    EXPECT_THAT(members(mol.objectsOfKind(set, kindAtom)), ElementsAre(c0, c1, o2));
    EXPECT_THAT(members(mol.objectsOfKind(set, kindAtomExtra45)), ElementsAre(missing3));
    EXPECT_THAT(members(mol.objectsOfKind(set, kindAtomExtra51)), ElementsAre(n4));
    EXPECT_THAT(members(mol.objectsOfKind(set, kindBond)), ElementsAre(bond6, bond7));
    EXPECT_THAT(members(mol.objectsOfKind(set, kindGroup)), ElementsAre(group5));
    EXPECT_TRUE(mol.objectsOfKind(set, 23).isEmpty());
    EXPECT_EQ(&mol.objectsOfKind(set, kindAtom), &set);

    atom_c* middle = mol.atomAt(c1);
    EXPECT_THAT(members(middle->relatedSet(set, kindBond)), ElementsAre(bond6, bond7));
    EXPECT_TRUE(middle->relatedSet(set, kindAtom).isEmpty());
    EXPECT_THAT(members(middle->neighbours(set, kindAtom)), ElementsAre(c0, o2));
    EXPECT_THAT(members(mol.bondsOfAtom(set, o2)), ElementsAre(bond7));
    EXPECT_TRUE(mol.bondsOfAtom(set, missing3).isEmpty());
    EXPECT_TRUE(mol.atomAt(n4)->neighbours(set, kindAtom).isEmpty());

    mol.atom(n4)->addPhantomNeighbour(group5);
    mol.atom(n4)->addPhantomNeighbour(500);
    EXPECT_THAT(members(mol.atomAt(n4)->neighbours(set, kindAtom)), ElementsAre(group5, 500u));
}

TEST_F(refMoleculeTest, lookupsAnswerNullWhereThereIsNoSuchObject)
{
    EXPECT_EQ(mol.atomAt(missing3), nullptr);
    EXPECT_NE(mol.atomAt(n4), nullptr);
    EXPECT_EQ(mol.atomAt(bond6), nullptr);
    EXPECT_EQ(mol.bondAt(c0), nullptr);
    EXPECT_EQ(mol.groupAt(c0), nullptr);
    EXPECT_EQ(mol.atomAt(10000), nullptr);
    EXPECT_EQ(mol.bondAt(10000), nullptr);
    EXPECT_EQ(mol.groupAt(group5)->typeCode(), 12);
}

TEST_F(refMoleculeTest, addedAtomsAndBondsStartBlankAndLinkTheirEnds)
{
    const uint32_t a = mol.addAtom(mol.ownerHandle(-1), -1);
    atom_c* added = mol.atomAt(a);
    ASSERT_NE(added, nullptr);
    EXPECT_STREQ(added->symbol(), "");
    EXPECT_EQ(added->valence(), atom_c::valenceNotSet);
    EXPECT_EQ(added->atomicNumber(), 0);
    added->setSymbol("Cl");
    EXPECT_EQ(added->atomicNumber(), 17);

    const uint32_t b = mol.addBond(o2, a, -1);
    bond_c* bond = mol.bondAt(b);
    ASSERT_NE(bond, nullptr);
    EXPECT_EQ(bond->atomIndexAt(0), o2);
    EXPECT_EQ(bond->atomIndexAt(1), a);
    EXPECT_EQ(bond->order(), 1);
    bitSet_c set;
    EXPECT_THAT(members(mol.atomAt(o2)->neighbours(set, kindAtom)), ElementsAre(c1, a));
    EXPECT_THAT(mol.indicesOfKind(kindAtom), ElementsAre(c0, c1, o2, a));

    mol.setAddYieldsMissing(true, true);
    const uint32_t ghostAtom = mol.addAtom(mol.ownerHandle(-1), -1);
    const uint32_t ghostBond = mol.addBond(c0, o2, -1);
    EXPECT_EQ(mol.atomAt(ghostAtom), nullptr);
    EXPECT_EQ(mol.bondAt(ghostBond), nullptr);
    EXPECT_THAT(members(mol.objectsOfKind(set, kindAtom)), ElementsAre(c0, c1, o2, a, ghostAtom));
}

TEST_F(refMoleculeTest, atomValues)
{
    struct {
        const char* symbol;
        int z;
    } const elements[] = {{"H", 1}, {"D", 1}, {"T", 1}, {"C", 6}, {"Br", 35}, {"Og", 118},
                          {"", 0},  {"Xx", 0}, {"CL", 0}, {"R#", 0}, {"Ts", 117}};
    for (const auto& e : elements)
        EXPECT_EQ(mol.atomAt(mol.newAtom(e.symbol))->atomicNumber(), e.z) << e.symbol;

    atom_c* atom = mol.atomAt(c0);
    atom->setX(0.1f);
    atom->setY(-2.5f);
    atom->setZ(1e-9f);
    EXPECT_EQ(atom->x2D(), static_cast<double>(0.1f));
    EXPECT_EQ(atom->x3D(), atom->x2D());
    EXPECT_EQ(atom->y2D(), -2.5);
    EXPECT_EQ(atom->y3D(), -2.5);
    EXPECT_EQ(atom->z3D(), static_cast<double>(1e-9f));

    atom->setCount(countRadicalElectrons, 2);
    atom->setCount(31, 7);
    atom->setCount(32, 9);
    atom->setCount(-1, 9);
    EXPECT_EQ(atom->count(countRadicalElectrons), 2);
    EXPECT_EQ(atom->count(31), 7);
    EXPECT_EQ(atom->count(32), 0);
    EXPECT_EQ(atom->count(-1), 0);
    EXPECT_EQ(atom->count(countImplicitH), 0);
}

// The driver keeps every atom_c* and bond_c* it was handed while it goes on
// adding objects, so nothing may move as the molecule grows past its first
// blocks; a hub atom's bonds outgrow the room inside the atom and must all
// stay listed, in creation order.
TEST(refMoleculeGrowth, objectsKeepTheirAddressesAndAHubKeepsEveryBond)
{
    constexpr int atoms = 5000;
    constexpr int hubBonds = 40;
    refMolecule_c mol;
    const uint32_t owner = mol.ownerHandle(-1);
    const uint32_t hub = mol.addAtom(owner, -1);
    atom_c* const hubAtom = mol.atomAt(hub);
    std::vector<atom_c*> madeAtoms;
    std::vector<bond_c*> madeBonds;
    std::vector<uint32_t> atomIndices, bondIndices, hubBondIndices, hubNeighbours;
    for (int i = 0; i < atoms; ++i) {
        const uint32_t a = mol.addAtom(owner, -1);
        atom_c* atom = mol.atomAt(a);
        ASSERT_NE(atom, nullptr);
        atom->setCharge(i);
        atom->setSymbol(i % 2 == 0 ? "N" : "Cl");
        const bool toHub = i < hubBonds;
        const uint32_t b = mol.addBond(toHub ? hub : atomIndices.back(), a, -1);
        bond_c* bond = mol.bondAt(b);
        ASSERT_NE(bond, nullptr);
        bond->setOrder(1 + i % 3);
        if (toHub) {
            hubBondIndices.push_back(b);
            hubNeighbours.push_back(a);
        }
        madeAtoms.push_back(atom);
        madeBonds.push_back(bond);
        atomIndices.push_back(a);
        bondIndices.push_back(b);
    }

    int moved = 0, changed = 0;
    for (int i = 0; i < atoms; ++i) {
        moved += mol.atomAt(atomIndices[i]) != madeAtoms[i];
        moved += mol.bondAt(bondIndices[i]) != madeBonds[i];
        changed += madeAtoms[i]->charge() != i || madeAtoms[i]->index() != atomIndices[i];
        changed += madeAtoms[i]->atomicNumber() != (i % 2 == 0 ? 7 : 17);
        changed += madeBonds[i]->order() != 1 + i % 3 || madeBonds[i]->atomIndexAt(1) != atomIndices[i];
    }
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(mol.atomAt(hub), hubAtom);

    bitSet_c set;
    EXPECT_THAT(members(hubAtom->relatedSet(set, kindBond)), ElementsAreArray(hubBondIndices));
    EXPECT_THAT(members(mol.bondsOfAtom(set, hub)), ElementsAreArray(hubBondIndices));
    EXPECT_THAT(members(hubAtom->neighbours(set, kindAtom)), ElementsAreArray(hubNeighbours));
    EXPECT_THAT(std::vector<uint32_t>(mol.atom(hub)->bondIndices().begin(), mol.atom(hub)->bondIndices().end()),
                ElementsAreArray(hubBondIndices));
    // An atom in the chain far from the hub has its two bonds, before and after it.
    const int k = atoms - 2;
    EXPECT_THAT(members(madeAtoms[k]->relatedSet(set, kindBond)), ElementsAre(bondIndices[k], bondIndices[k + 1]));
}

// Symbols are found by their two letters: every element's own symbol gives its
// number back, and a text that differs from every symbol, if only by a letter's
// case or a trailing character, gives 0.
TEST(refhostElements, everySymbolAndNoNearMiss)
{
    for (int z = 1; z <= refhost::maxAtomicNumber; ++z)
        EXPECT_EQ(refhost::atomicNumberOf(refhost::elementSymbol(z)), z) << z;
    for (const char* text : {"c", "cl", "CL", "Cl ", "Cl1", "C1", "Clx", "Q", "J", "Jx", "[", "@", "Zz", "Aa"})
        EXPECT_EQ(refhost::atomicNumberOf(text), 0) << text;
    EXPECT_EQ(refhost::atomicNumberOf(nullptr), 0);
}

// A host call made while this thread holds a stand-in lock is counted; the
// same call without the lock, or the builder methods under it, are not.
TEST_F(refMoleculeTest, callsUnderTheLibraryLockAreCounted)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    refhost::resetLockHeldDuringHostCall();

    mol.atomAt(c0)->charge();
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 0u);
    lock->lock();
    mol.atomAt(c0)->charge();
    mol.atom(c1)->chargeValue();
    mol.newAtom("C");
    lock->unlock();
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 2u);
    mol.bondAt(bond6)->order();
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 2u);
    lock->release();
}

}  // namespace
