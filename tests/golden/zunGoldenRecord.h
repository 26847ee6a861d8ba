#ifndef ZUN_GOLDEN_RECORD_H
#define ZUN_GOLDEN_RECORD_H

// The golden record file: the scenes' lines after a comment header, and the
// comparison that names the first difference.

#include <string>
#include <vector>

bool zunReadGoldenRecord(const std::string& file, std::vector<std::string>& lines);
bool zunWriteGoldenRecord(const std::string& file, const std::vector<std::string>& lines);

// Empty when equal; else the first differing line of both, with the scene and
// step that produced it and the floats decoded.
std::string zunFirstGoldenDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual);

#endif
