#include "zunGoldenRecord.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char* const header[] = {
    "# The golden record of zunAIEngine: every ray, mark and answer of the scenes in",
    "# tests/golden/zunGoldenScenes.cpp, floats as bit patterns (x y z w for vectors).",
    "# ray INDEX ORIGIN DIRECTION LENGTH RESULT HIT (x y z of each vector)",
    "# Written by scripts/golden.sh only; every build must reproduce it bit for bit.",
};

bool startsWith(const std::string& line, const char* word)
{
    return line.compare(0, std::strlen(word), word) == 0;
}

// The line with each 8-digit hexadecimal word followed by its float value.
std::string decoded(const std::string& line)
{
    std::istringstream words(line);
    std::ostringstream out;
    out.precision(9);
    std::string word;
    while (words >> word) {
        out << word;
        if (word.size() == 8 && word.find_first_not_of("0123456789abcdef") == std::string::npos) {
            const std::uint32_t bits = static_cast<std::uint32_t>(std::stoul(word, nullptr, 16));
            float value;
            std::memcpy(&value, &bits, sizeof value);
            out << "(" << value << ")";
        }
        out << ' ';
    }
    return out.str();
}

} // namespace

bool zunReadGoldenRecord(const std::string& file, std::vector<std::string>& lines)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return true;
}

bool zunWriteGoldenRecord(const std::string& file, const std::vector<std::string>& lines)
{
    std::ofstream out(file, std::ios::binary);
    for (const char* comment : header)
        out << comment << '\n';
    for (const std::string& line : lines)
        out << line << '\n';
    return static_cast<bool>(out.flush());
}

std::string zunFirstGoldenDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    std::string scene = "(none)", step = "(none)";
    const std::size_t common = expected.size() < actual.size() ? expected.size() : actual.size();
    for (std::size_t i = 0; i <= common; ++i) {
        const bool expectedEnds = i == expected.size(), actualEnds = i == actual.size();
        if (expectedEnds && actualEnds)
            return {};
        if (!expectedEnds && !actualEnds && expected[i] == actual[i]) {
            if (startsWith(expected[i], "scene "))
                scene = expected[i].substr(6);
            else if (startsWith(expected[i], "step "))
                step = expected[i].substr(5);
            continue;
        }
        std::ostringstream out;
        out << "the golden record differs at its entry " << i + 1 << " of " << expected.size()
            << " (scene \"" << scene << "\", step \"" << step << "\")\n"
            << "  recorded: " << (expectedEnds ? std::string("(end of record)") : decoded(expected[i])) << "\n"
            << "  this build: " << (actualEnds ? std::string("(no more lines)") : decoded(actual[i]));
        return out.str();
    }
    return {};
}
