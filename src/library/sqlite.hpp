#pragma once
// A thin layer over SQLite: a connection, prepared statements and a
// transaction that rolls back unless committed. Errors are values: every
// call says whether it worked and the connection keeps SQLite's message.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vornix::library {

class Database {
  public:
    // Opens (creating) the file; null with the reason when it cannot.
    static std::unique_ptr<Database> open(const std::filesystem::path& path, std::string& error);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs statements without results; false with error() set.
    bool exec(std::string_view sql);
    const std::string& error() const { return error_; }
    // SQLite's primary result code of the last failure (SQLITE_CORRUPT ...).
    int errorCode() const { return errorCode_; }
    std::int64_t lastInsertId() const;
    int changes() const;

    sqlite3* handle() { return db_; }
    void noteError(int code);

  private:
    explicit Database(sqlite3* db) : db_(db) {}
    sqlite3* db_ = nullptr;
    std::string error_;
    int errorCode_ = 0;
};

class Statement {
  public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return stmt_ != nullptr; }
    // Parameters count from 1, as in SQL.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::span<const std::uint8_t> blob);
    Statement& bindNull(int index);
    Statement& bind(int index, const std::optional<std::vector<std::uint8_t>>& blob);

    // True while a row is there to read; false at the end or on an error
    // (failed() tells which).
    bool step();
    // Runs a statement without rows to its end; false on an error.
    bool run();
    bool failed() const { return failed_; }
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;
    std::optional<std::vector<std::uint8_t>> optionalBlob(int column) const;
    bool isNull(int column) const;

  private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool failed_ = false;
};

// BEGIN IMMEDIATE now; ROLLBACK when destroyed uncommitted. Immediate, so a
// second writer waits at the start rather than failing halfway.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return begun_; }
    bool commit();

  private:
    Database& db_;
    bool begun_ = false;
    bool done_ = false;
};

}  // namespace vornix::library
