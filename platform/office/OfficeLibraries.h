// The office formats' libraries, loaded when first used (OfficeLibraries.cpp).
#pragma once

#include <string>

// Loads the database library (mdbtools) in this process; the loader's message when it cannot be
// loaded, else empty. The database reader loads it before it forks its reading process, so that
// the child only looks its functions up.
std::string Load_Database_Library();
