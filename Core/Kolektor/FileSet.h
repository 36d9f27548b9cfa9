#pragma once
// Kolektor::FileSet: a set of files for the hand-held data collector, the
// directory "kolektor/NAME" of the store. The files are written into a
// hidden directory beside it, which takes that name only in finish(): the
// collector's loader sees a whole set or none. A set dropped unfinished
// leaves nothing behind.
//
// A file of the set holds one record a line: the code, a tab, the price with
// two decimals, a line feed ("5901234123457\t3.99\n").

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace Kolektor {

class FileSet {
public:
    class File;

    // The set named `name`; a trailing backslash (the collector's directory
    // mark) is dropped. Throws std::runtime_error, in Polish, when the
    // directory cannot be made.
    explicit FileSet(std::string name);
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // The file of that name in the set, made on first use.
    File& file(const std::string& name);
    // Closes the files and makes the set visible under its name, the files
    // and the name on disk when it returns. Throws std::runtime_error when a
    // write or a sync failed or a set of that name exists.
    void finish();

    // Where the set appears once finished.
    const std::filesystem::path& path() const { return target_; }

private:
    [[noreturn]] void fail(const std::string& what, int error) const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty once finished
    std::map<std::string, std::unique_ptr<File>> files_;
};

class FileSet::File {
public:
    explicit File(const std::filesystem::path& path);
    // One record: the code and its price.
    void addRecord(std::string_view plu, double price);

private:
    friend class FileSet;
    std::ofstream out_;
};

// The directory holding the store's collector sets.
std::filesystem::path directory();

}  // namespace Kolektor
