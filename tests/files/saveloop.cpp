// The kill test's victim: saves the entries file over and over until it is
// killed. Version n holds n mod 100 on every score line and n as the GPA
// line, so a reader can tell a whole version from a mix.
#include "entriesfile.h"

#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    tamrik::UserEntries entries;
    for (unsigned long n = 1;; ++n) {
        entries.ScoreByCode.fill(std::to_string(n % 100));
        entries.GpaDigits = std::to_string(n);
        if (!tamrik::SaveEntriesFile(argv[1], entries))
            return 1;
    }
}
