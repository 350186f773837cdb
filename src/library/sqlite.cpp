#include "library/sqlite.hpp"

#include <sqlite3.h>

namespace vornix::library {

namespace {

// Another process (the window beside vornixctl) may hold the write lock.
constexpr int BusyTimeoutMs = 5000;

}  // namespace

std::unique_ptr<Database> Database::open(const std::filesystem::path& path, std::string& error) {
    sqlite3* db = nullptr;
    const int code =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    sqlite3_extended_result_codes(db, 0);
    return std::unique_ptr<Database>(new Database(db));
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

bool Database::exec(std::string_view sql) {
    char* message = nullptr;
    const int code = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message);
    if (code == SQLITE_OK) return true;
    errorCode_ = code & 0xFF;
    error_ = message ? message : sqlite3_errstr(code);
    sqlite3_free(message);
    return false;
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

void Database::noteError(int code) {
    errorCode_ = code & 0xFF;
    error_ = sqlite3_errmsg(db_);
}

Statement::Statement(Database& db, std::string_view sql) : db_(db) {
    const int code =
        sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (code != SQLITE_OK) {
        db_.noteError(code);
        failed_ = true;
        stmt_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (stmt_) sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (stmt_)
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, std::span<const std::uint8_t> blob) {
    if (stmt_)
        sqlite3_bind_blob(stmt_, index, blob.data(), static_cast<int>(blob.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (stmt_) sqlite3_bind_null(stmt_, index);
    return *this;
}

Statement& Statement::bind(int index, const std::optional<std::vector<std::uint8_t>>& blob) {
    return blob ? bind(index, std::span<const std::uint8_t>(*blob)) : bindNull(index);
}

bool Statement::step() {
    if (!stmt_) return false;
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    if (code != SQLITE_DONE) {
        db_.noteError(code);
        failed_ = true;
    }
    return false;
}

bool Statement::run() {
    while (step()) {
    }
    return !failed_;
}

void Statement::reset() {
    if (!stmt_) return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    failed_ = false;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto* bytes = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size))
                 : std::string();
}

std::vector<std::uint8_t> Statement::blob(int column) const {
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

std::optional<std::vector<std::uint8_t>> Statement::optionalBlob(int column) const {
    if (isNull(column)) return std::nullopt;
    return blob(column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database& db) : db_(db) {
    begun_ = db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (begun_ && !done_) db_.exec("ROLLBACK");
}

bool Transaction::commit() {
    if (!begun_ || done_) return false;
    done_ = db_.exec("COMMIT");
    return done_;
}

}  // namespace vornix::library
