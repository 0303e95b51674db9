// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <unordered_map>

// The names a list holds, counted, so a list of thousands answers "is this name taken?" without a
// scan, and where the numbered variants of a name ("N (1)", "N (2)", ...) go on, so a long run of
// equal names is not counted up from 1 again for each new one. The owning list locks it.
class NameIndex {
public:
    void Add(const std::u16string& name);
    // Forgets one holder of name. When no holder is left the name is free again, and every count
    // of numbered variants starts at 1 again, since the freed name may be one of them.
    void Remove(const std::u16string& name);
    bool Has(const std::u16string& name) const;
    void Clear();

    // The counter to try first for a numbered variant of base: every counter below it gives a name
    // the list holds (1 when nothing is known).
    unsigned FirstCounterToTry(const std::u16string& base) const;
    // Notes that every counter below counter gives a name of base's that the list holds.
    void NoteTakenBelow(const std::u16string& base, unsigned counter);

private:
    std::unordered_map<std::u16string, int> counts_;
    std::unordered_map<std::u16string, unsigned> firstToTry_;
};
