#pragma once
// The library database's schema as a list of migrations: migration k takes
// a database from schema version k to k + 1 (PRAGMA user_version). A new
// version is a new entry at the end; entries already shipped never change.
#include <span>
#include <string_view>

namespace vornix::library {

std::span<const std::string_view> schemaMigrations();

}  // namespace vornix::library
