#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace varelo {

// Column types of an export table. Dates are stored as "YYYY-MM-DD HH:MM:SS" texts.
enum class FieldType { kDate, kSingle, kDouble, kLong, kText80 };

struct DatabaseColumn {
    std::string name;
    FieldType type = FieldType::kDouble;
    bool required = true;
};

// A small layer over an SQLite database file: create tables, add rows through one prepared
// statement inside one transaction. Every failure keeps the engine's error text.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file as a database; an empty file becomes an empty database.
    bool Open(const std::string& path);
    // Closes; false when the engine reports a failure while closing.
    bool Close();

    bool CreateTable(const std::string& name, const std::vector<DatabaseColumn>& columns);
    bool Begin();
    bool Commit();

    // Rows go into one table at a time: prepare, then bind every column and add the row.
    bool PrepareInsert(const std::string& table, size_t columnCount);
    void BindNull(int column);
    void BindReal(int column, double value);
    void BindInteger(int column, long long value);
    void BindText(int column, std::string_view text);
    bool InsertRow();

    const std::string& ErrorText() const { return error_; }

    static std::string QuoteIdentifier(std::string_view name);
    static const char* SqlType(FieldType type);
    // The statement that creates a table of these columns.
    static std::string CreateTableSql(const std::string& name,
                                      const std::vector<DatabaseColumn>& columns);

private:
    bool Execute(const std::string& sql);
    bool Fail();
    void FinishInsert();

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    bool bindFailed_ = false;
    std::string error_;
};

}  // namespace varelo
