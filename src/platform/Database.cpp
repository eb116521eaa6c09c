#include "platform/Database.h"

#include <sqlite3.h>

namespace varelo {

Database::~Database() {
    Close();
}

bool Database::Open(const std::string& path) {
    Close();
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
        return Fail();
    // The file is written under a temporary name and synced by its owner before it is put in
    // place, so the engine's own journal and syncs would only cost time.
    return Execute("PRAGMA journal_mode=OFF") && Execute("PRAGMA synchronous=OFF");
}

bool Database::Close() {
    FinishInsert();
    if (!db_) return true;
    bool ok = sqlite3_close(db_) == SQLITE_OK;
    if (!ok) error_ = sqlite3_errmsg(db_);
    db_ = nullptr;
    return ok;
}

bool Database::Fail() {
    error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
    return false;
}

bool Database::Execute(const std::string& sql) {
    if (!db_) return false;
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    error_ = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    return false;
}

std::string Database::QuoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

const char* Database::SqlType(FieldType type) {
    switch (type) {
        case FieldType::kDate: return "DATETIME";
        case FieldType::kSingle: return "FLOAT";
        case FieldType::kDouble: return "DOUBLE";
        case FieldType::kLong: return "INTEGER";
        case FieldType::kText80: return "VARCHAR(80)";
    }
    return "DOUBLE";
}

std::string Database::CreateTableSql(const std::string& name,
                                     const std::vector<DatabaseColumn>& columns) {
    std::string sql = "CREATE TABLE " + QuoteIdentifier(name) + " (";
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i) sql += ", ";
        sql += QuoteIdentifier(columns[i].name) + ' ' + SqlType(columns[i].type);
        if (columns[i].required) sql += " NOT NULL";
    }
    return sql + ')';
}

bool Database::CreateTable(const std::string& name, const std::vector<DatabaseColumn>& columns) {
    return Execute(CreateTableSql(name, columns));
}

bool Database::Begin() {
    return Execute("BEGIN");
}

bool Database::Commit() {
    return Execute("COMMIT");
}

bool Database::PrepareInsert(const std::string& table, size_t columnCount) {
    FinishInsert();
    if (!db_) return false;
    std::string sql = "INSERT INTO " + QuoteIdentifier(table) + " VALUES (";
    for (size_t i = 0; i < columnCount; ++i)
        sql += i ? ",?" : "?";
    sql += ')';
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert_, nullptr) != SQLITE_OK) return Fail();
    return true;
}

void Database::FinishInsert() {
    if (insert_) sqlite3_finalize(insert_);
    insert_ = nullptr;
    bindFailed_ = false;
}

// Statement columns count from 1; callers count from 0.
void Database::BindNull(int column) {
    bindFailed_ |= sqlite3_bind_null(insert_, column + 1) != SQLITE_OK;
}

void Database::BindReal(int column, double value) {
    bindFailed_ |= sqlite3_bind_double(insert_, column + 1, value) != SQLITE_OK;
}

void Database::BindInteger(int column, long long value) {
    bindFailed_ |= sqlite3_bind_int64(insert_, column + 1, value) != SQLITE_OK;
}

void Database::BindText(int column, std::string_view text) {
    bindFailed_ |= sqlite3_bind_text(insert_, column + 1, text.data(), int(text.size()),
                                     SQLITE_TRANSIENT) != SQLITE_OK;
}

bool Database::InsertRow() {
    if (!insert_) return false;
    if (bindFailed_) {
        bindFailed_ = false;
        sqlite3_reset(insert_);
        return Fail();
    }
    int rc = sqlite3_step(insert_);
    sqlite3_reset(insert_);
    return rc == SQLITE_DONE || Fail();
}

}  // namespace varelo
