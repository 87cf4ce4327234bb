#include "converter/usage.h"

namespace converter_n {

const char* const usageText =
    R"(Usage:
  tavr-inchi write [--options TEXT] [--key] [--tabbed] [--jobs N] [--module PATH] [FILE ...]
  tavr-inchi read [--jobs N] [--module PATH] [FILE ...]
  tavr-inchi --help

Converts MDL molfiles and SD files to InChI, and InChI text back to SD files,
through the InChI driver module, which it loads and calls as a host does.

write   Reads molfiles and SD files (V2000, and V3000 for more than 999 atoms)
        and prints, for each record, the InChI line and the AuxInfo line.
  --options TEXT  Option text handed to the driver unchanged, as bare words,
                  e.g. "SUCF FixedH" or "SNon AUXNONE"; the driver adds the
                  slashes. AUXNONE leaves out the AuxInfo line.
  --key           Adds the "InChIKey=" line of each InChI.
  --tabbed        One line per record: the title, the InChI, the AuxInfo and
                  the InChIKey as present, separated by tabs.

read    Reads InChI text, each "InChI=" line followed by its "AuxInfo=" line
        (write's output, plain or tabbed, or inchi_main's), takes each
        structure from its AuxInfo and writes an SD file (V2000, V3000 for
        more than 999 atoms or bonds): coordinates, charges, isotopes,
        radicals, bond orders, wedges, either double bonds, the chiral flag,
        and a valence where the AuxInfo fixes an atom's hydrogens, so that
        writing the SD file again gives the same InChI.

  --jobs N        Converts the records in N worker processes, by default as
                  many as there are processors this program may run on; 1
                  converts them in this process. The output, the messages and
                  the exit status are the same for every N.
  --module PATH   The driver module to load; by default ../lib/libtavrinchi.so
                  from the directory of this program.
  FILE            Input files; none, or "-", reads standard input.

A record that fails keeps its place in the output: empty lines (with
--tabbed, the title and an empty field) from write, an SD record without
atoms from read. A message on standard error names the input, the record
number, the title and the reason: for input that cannot be parsed, the line
and the field. The driver refuses aromatic (type 4) and query bonds, query
and pseudo atoms (A, Q, *, L, R#, LP, ...), atoms with more than 20
neighbours and structures of more than 1023 atoms; a structure without atoms
has no InChI.

Records are read and written one at a time, in input order, and only a few
of them per worker are under way at once: memory does not grow with the input.
On a terminal, standard error shows the progress of runs longer than a second.

Exit status: 0 when every record converted; 1 when some record failed or an
input held no records; 2 on a usage error, an input that cannot be read, a
driver module that cannot be loaded, a worker process that cannot be started
or ends while converting, or output that cannot be written.
)";

}  // namespace converter_n
