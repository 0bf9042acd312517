#pragma once

#include "store/Database.h"

#include <memory>

// The ingredient tests' data folder, opened read-only: every food of the curated
// table with its measures, and a few that must rank below them.
std::unique_ptr<Database> openKitchenData();
