#pragma once
// TOraUpdateSQL: the statement set a data-aware editor runs to save its
// record: the modify, insert and delete statements, as texts with named
// parameters that the editor binds from the edited record (":OLD_x" being the
// value of x before the edit).

#include <string>

class TOraUpdateSQL {
public:
    const std::string& ModifySQL() const { return modify_; }
    const std::string& InsertSQL() const { return insert_; }
    const std::string& DeleteSQL() const { return delete_; }
    void SetModifySQL(std::string text) { modify_ = std::move(text); }
    void SetInsertSQL(std::string text) { insert_ = std::move(text); }
    void SetDeleteSQL(std::string text) { delete_ = std::move(text); }

private:
    std::string modify_;
    std::string insert_;
    std::string delete_;
};
