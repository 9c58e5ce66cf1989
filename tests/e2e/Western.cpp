// Choosing, from the table, the scenarios for a Western Windows.
#include "Western.h"

#include <windows.h>

#include <algorithm>

std::vector<table::Row> WesternRows(const std::vector<table::Row>& rows) {
  std::vector<table::Row> chosen;
  for (const table::Row& row : rows) {
    if (row.machine.version.platformId != VER_PLATFORM_WIN32_NT) continue;
    const bool shown = std::any_of(chosen.begin(), chosen.end(), [&](const table::Row& other) {
      return other.fields.os == row.fields.os && other.fields.ata == row.fields.ata &&
             other.fields.status == row.fields.status;
    });
    if (!shown) chosen.push_back(row);
  }
  return chosen;
}

std::vector<table::UpgradePath> WesternPaths(const std::vector<table::UpgradePath>& paths) {
  std::vector<table::UpgradePath> chosen;
  for (const table::UpgradePath& path : paths) {
    const bool shown = std::any_of(
        chosen.begin(), chosen.end(),
        [&](const table::UpgradePath& other) { return other.reaction == path.reaction; });
    if (!shown) chosen.push_back(path);
  }
  return chosen;
}
