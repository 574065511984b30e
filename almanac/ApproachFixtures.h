#pragma once
// The reference tables of the close-approach and tonight's sky tests
// (almanac/testdata, written by tools/datagen/gen_approach_fixtures.py from
// astronomy-engine): rows of named fields, and their local times as Julian
// days of local civil time.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "astro/JulianDay.h"

namespace almanac::test {

using FixtureRow = std::map<std::string, std::string>;

inline std::vector<FixtureRow> ReadFixture(const std::string& name) {
    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/almanac/testdata/" + name);
    std::vector<FixtureRow> rows;
    std::string line;
    std::vector<std::string> header;
    auto split = [](const std::string& text) {
        std::vector<std::string> fields;
        std::istringstream s(text);
        for (std::string field; std::getline(s, field, ',');) fields.push_back(field);
        return fields;
    };
    if (!std::getline(in, line)) {
        ADD_FAILURE() << "missing fixture " << name;
        return rows;
    }
    header = split(line);
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = split(line);
        FixtureRow row;
        for (std::size_t k = 0; k < header.size(); ++k) row[header[k]] = k < fields.size() ? fields[k] : "";
        rows.push_back(row);
    }
    return rows;
}

// The row whose field `key` is `value`.
inline FixtureRow FixtureRowWhere(const std::vector<FixtureRow>& rows, const std::string& key,
                                  const std::string& value) {
    for (const FixtureRow& row : rows)
        if (row.at(key) == value) return row;
    ADD_FAILURE() << "no fixture row with " << key << " = " << value;
    return {};
}

// "2020-12-22 03:26:35" as a Julian day of local civil time.
inline double LocalJD(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) {
        ADD_FAILURE() << "not a local time: " << text;
        return 0;
    }
    return astro::DateToJD(y, mo, d, h, mi, s);
}

}  // namespace almanac::test
