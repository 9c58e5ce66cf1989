// The scenarios that run again on a Western Windows NT (ctest's e2e.locale,
// ANSI code page 1252), where the program must show every text exactly as
// under code page 936: one for each different thing it shows, so that every
// text of the dialog, its message boxes and the About box appears. Windows
// 98 and ME are left out: there the program keeps the ANSI functions, and
// reads right only under 936 (every scenario checks which kind of dialog it
// made).
#pragma once

#include <vector>

#include "tests/common/ProgramTable.h"

// Of the rows, those on Windows NT, the first of each set of fields.
std::vector<table::Row> WesternRows(const std::vector<table::Row>& rows);
// Of the upgrade paths, the first of each reaction.
std::vector<table::UpgradePath> WesternPaths(const std::vector<table::UpgradePath>& paths);
