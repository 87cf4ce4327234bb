// Groups of the reference host: only their type code is visible to the driver.
#include "refhost/refMolecule.h"

namespace refhost {

refGroup_c::refGroup_c(refMolecule_c& molecule, uint32_t index, int32_t typeCode)
    : molecule_(molecule), index_(index), typeCode_(typeCode)
{
}

int32_t refGroup_c::typeCode()
{
    molecule_.report("typeCode", index_, 0, 0, 0);
    return typeCode_;
}

}  // namespace refhost
