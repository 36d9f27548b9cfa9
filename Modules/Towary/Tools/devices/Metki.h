#pragma once
// TMetki: the label printer's file. Each file is a new text file in the label
// directory, one tab-separated line per label, which the label printer's
// software picks up; the directory comes from the machine's registry, else
// from the store's settings. Failures raise Sysutils::Exception in Polish.

#include "Core/Export.h"
#include "Core/System/AnsiString.h"

#include <cstdio>
#include <string>

class TOWARY_EXPORT TMetki {
public:
    TMetki() = default;
    // Closes a file left open.
    ~TMetki();
    TMetki(const TMetki&) = delete;
    TMetki& operator=(const TMetki&) = delete;

    // Opens a new label file named after the current second; a second file
    // opened within the same second appends to the first.
    void otworzPlik();
    // Appends one label: the two numbers, the name (its first 30 characters in
    // the label printer's character set), the second text as it is and the
    // price with two decimals. The last two texts are not written.
    void dodajDoPliku(int first, int second, System::AnsiString name, System::AnsiString text, double price,
                      System::AnsiString, System::AnsiString);
    // Closes the file, its lines on disk.
    void zamknijPlik();

    // The path of the open file ("" when none is open).
    const std::string& path() const { return path_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

// The group index with "-" between its levels, cut by the store's level lengths.
TOWARY_EXPORT System::AnsiString formatGrIndex(System::AnsiString index);

// The text value of a key of the machine's registry; "" when the key cannot be opened.
TOWARY_EXPORT System::AnsiString getRegistryValue(System::AnsiString key, System::AnsiString valueName);
