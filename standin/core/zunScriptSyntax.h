#ifndef ZUN_SCRIPT_SYNTAX_H
#define ZUN_SCRIPT_SYNTAX_H

// The line syntax of the stand-in's script files, shared by the script's
// loader and by tools that must read a file exactly as the script does.
//
// A line `NAME = NUMBER;` assigns NUMBER to NAME. NAME is made of
// [A-Za-z0-9_]; blanks and tabs around the parts are optional, the `;` is
// optional, and NUMBER is read without regard to the process locale (a `,` as
// decimal mark is accepted as well, so that a file written under a
// comma-decimal locale reads back).

#include <charconv>
#include <cstddef>
#include <cstring>
#include <system_error>

namespace zunScriptSyntax {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

inline bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

inline const char* skipBlanks(const char* p, const char* end)
{
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

// Reads a float from [p, end) independently of the locale; answers the end
// of the number, or null when there is none or it is out of range.
inline const char* readFloat(const char* p, const char* end, float& value)
{
    const auto r = std::from_chars(p, end, value, std::chars_format::general);
    return r.ec == std::errc() ? r.ptr : nullptr;
}

// Reads NUMBER: an optional '+' (not before another sign), then what
// readFloat takes; a ',' where the decimal point would be is read as one.
inline const char* readNumber(const char* p, const char* end, float& value)
{
    if (p < end && *p == '+') {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            return nullptr;
    }
    const char* q = readFloat(p, end, value);
    if (!q || q == end || *q != ',')
        return q;
    // A comma decimal: read the number again with a point in its place.
    char buffer[128];
    const char* stop = q + 1;
    while (stop < end && ((*stop >= '0' && *stop <= '9') || *stop == 'e' || *stop == 'E' || *stop == '+' || *stop == '-'))
        ++stop;
    const std::size_t length = std::size_t(stop - p);
    if (length >= sizeof buffer)
        return nullptr;
    std::memcpy(buffer, p, length);
    buffer[q - p] = '.';
    const char* r = readFloat(buffer, buffer + length, value);
    if (r != buffer + length)
        return nullptr;
    return stop;
}

// What one line is to the script.
struct Line {
    enum Kind {
        other,        // not an assignment: ignored
        assignment,   // NAME = NUMBER, read
        unreadable    // NAME = followed by something that doesn't read: ignored
    };
    Kind kind = other;
    const char* nameBegin = nullptr;
    const char* nameEnd = nullptr;
    float value = 0.0f;
};

// Reads the line [p, lineEnd), its line end (LF, CR LF) already cut off.
inline Line readLine(const char* p, const char* lineEnd)
{
    Line line;
    const char* q = skipBlanks(p, lineEnd);
    const char* nameBegin = q;
    while (q < lineEnd && isNameChar(*q))
        ++q;
    const char* nameEnd = q;
    q = skipBlanks(q, lineEnd);
    if (nameEnd == nameBegin || q == lineEnd || *q != '=')
        return line;
    line.nameBegin = nameBegin;
    line.nameEnd = nameEnd;
    line.kind = Line::unreadable;
    q = readNumber(skipBlanks(q + 1, lineEnd), lineEnd, line.value);
    if (!q)
        return line;
    q = skipBlanks(q, lineEnd);
    if (q < lineEnd && *q == ';')
        q = skipBlanks(q + 1, lineEnd);
    if (q == lineEnd)
        line.kind = Line::assignment;
    return line;
}

// Calls visit(line, lineNumber) for every line of [p, end), numbered from 1.
template <class Visit>
void readLines(const char* p, const char* end, Visit&& visit)
{
    int number = 0;
    while (p < end) {
        ++number;
        const char* eol = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        const char* lineEnd = eol ? eol : end;
        const char* next = eol ? eol + 1 : end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        visit(readLine(p, lineEnd), number);
        p = next;
    }
}

} // namespace zunScriptSyntax

#endif
