#pragma once
// Where conversor-sample reads talvo.sql and ordelio.sql from.
#include <filesystem>

// Run from the build folder: the source tree's schema/. Installed: the data
// folder at the same place relative to the program as at install time
// (../share/conversor/schema), so an unpacked copy finds its own files.
std::filesystem::path SchemaLocation();
