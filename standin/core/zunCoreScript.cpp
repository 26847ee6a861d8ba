// The stand-in core's script: named assignments read from a file, and
// statements written to one.
//
// File text: the title verbatim, then each statement verbatim, a line feed
// added after a statement that doesn't end with one.
//
// Reading: a line `NAME = NUMBER;` assigns NUMBER to NAME. NAME is made of
// [A-Za-z0-9_]; blanks and tabs around the parts are optional, the `;` is
// optional, a CR before the line feed is accepted, and NUMBER is read without
// regard to the process locale (a `,` as decimal mark is accepted as well, so
// that a file written under a comma-decimal locale reads back). Every other
// line, an assignment whose number doesn't read completely or lies outside
// the float range, and one whose name is longer than 65535 characters, is
// ignored. The last assignment to a name wins.
//
// What evalStatement sees: a successful load replaces every assignment the
// script knew with the file's; statements added afterwards assign on top of
// them. A failed load leaves the script as it was. save writes only the title
// and the added statements, never what was loaded.
//
// Files are read whole and parsed in place: the names of loaded assignments
// stay in the file's text, each assignment is a record in the order read, and
// an open-addressing hash table leads from each name to its last record, so
// that a load costs one pass over the text and one probe per assignment, with
// no allocation per name. (A node-based map spent most of a large load
// chasing its chains.)

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#if defined(_WIN32)
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <process.h>
#  include <windows.h>
#else
#  include <unistd.h>
#endif

#include "host/zunScript.h"
#include "standin/core/zunScriptSyntax.h"

namespace fs = std::filesystem;

namespace {

// The path as the platform wants it: `\` is the separator on Windows and
// becomes `/` everywhere else.
std::string hostPath(const char* path) {
    std::string result(path);
#if !defined(_WIN32)
    std::replace(result.begin(), result.end(), '\\', '/');
#endif
    return result;
}

// Calls assign(name, value) for every assignment line of [p, end).
template <class Assign>
void readAssignments(const char* p, const char* end, Assign&& assign) {
    zunScriptSyntax::readLines(p, end, [&](const zunScriptSyntax::Line& line, int) {
        if (line.kind == zunScriptSyntax::Line::assignment)
            assign(std::string_view(line.nameBegin, std::size_t(line.nameEnd - line.nameBegin)), line.value);
    });
}

// Reads the whole file into text; false when it can't be opened or read.
bool readFile(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::error_code ec;
    const auto size = fs::file_size(fs::path(path), ec);
    // One byte more than the file holds, so that the first read already meets its end.
    text.resize(!ec && size < (std::uintmax_t(1) << 40) ? std::size_t(size) + 1 : std::size_t(1) << 16);
    std::size_t got = 0;
    for (;;) {
        got += std::fread(&text[got], 1, text.size() - got, f);
        if (got < text.size())
            break;
        text.resize(text.size() * 2);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    text.resize(got);
    return !failed;
}

bool writeAll(std::FILE* f, const std::string& text) {
    return text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

// A name for the temporary file beside target that no other save uses.
std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned long> counter{0};
#if defined(_WIN32)
    const long pid = long(_getpid());
#else
    const long pid = long(getpid());
#endif
    return target + ".tmp" + std::to_string(pid) + "." + std::to_string(counter++);
}

// Puts the finished temporary file in the target's place in one step.
bool replaceFile(const std::string& from, const std::string& to) {
#if defined(_WIN32)
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// Name -> value, for names that live in one of two texts: the loaded file or
// the names first assigned by added statements. Both texts only ever grow at
// their end, so a name is kept as its offset and length.
//
// Every assignment is a record, in the order read; the hash table leads from
// a name to the record of its last assignment. Lookups first try the record
// after the one found last: a reader that asks for the names in the order of
// the file (as loading the path database does) walks the records and the
// text front to back instead of jumping about the table.
class Assignments {
public:
    std::string& file() { return file_; }

    // Reads every assignment of the loaded file. The table's slots are asked
    // for a batch ahead of their use: each probe of a large table misses the
    // caches, and so the misses of a batch overlap.
    void readFile() {
        const std::size_t lines = std::size_t(std::count(file_.begin(), file_.end(), '\n')) + 1;
        reserve(lines);
        records_.reserve(lines);
        const char* base = file_.data();
        struct Pending {
            std::string_view name;
            std::uint32_t hash;
            float value;
        };
        constexpr int batchSize = 16;
        Pending batch[batchSize];
        int pending = 0;
        auto insertBatch = [&]() {
            for (int i = 0; i < pending; ++i) {
                const Pending& a = batch[i];
                Slot& slot = place(a.name, a.hash);
                assign(slot, a.hash, nameWhere(fromFile, std::size_t(a.name.data() - base), a.name.size()), a.value);
            }
            pending = 0;
        };
        readAssignments(base, base + file_.size(), [&](std::string_view name, float value) {
            if (name.size() > maxLength)
                return;
            const std::uint32_t hash = hashOf(name);
            prefetch(&slots_[hash >> shift_]);
            batch[pending++] = Pending{name, hash, value};
            if (pending == batchSize)
                insertBatch();
        });
        insertBatch();
    }

    // Reads the assignments of added statements [p, end); p must not point
    // into this table's texts.
    void readAdded(const char* p, const char* end) {
        readAssignments(p, end, [&](std::string_view name, float value) {
            if (name.size() > maxLength)
                return;
            const std::uint32_t hash = hashOf(name);
            Slot& slot = place(name, hash);
            std::uint64_t where = 0;
            if (slot.record == emptySlot) {
                where = nameWhere(fromNames, names_.size(), name.size());
                names_.append(name.data(), name.size());
            }
            assign(slot, hash, where, value);
        });
    }

    const float* find(std::string_view name) {
        if (name.size() > maxLength)
            return nullptr;
        if (next_ < records_.size()) {
            const Record& record = records_[next_];
            if (record.latest && nameAt(record.where) == name) {
                ++next_;
                return &record.value;
            }
        }
        if (slots_.empty())
            return nullptr;
        const Slot& slot = probe(name, hashOf(name));
        if (slot.record == emptySlot)
            return nullptr;
        next_ = std::size_t(slot.record) + 1;
        return &records_[slot.record].value;
    }

private:
    // A slot leads to the record of its name's last assignment; the name
    // itself is read from that record, so that the table stays small.
    struct Slot {
        std::uint32_t record;  // emptySlot for an empty slot
        std::uint32_t hash;
    };
    struct Record {
        std::uint64_t where;   // the name: offset << 17 | source << 16 | length
        float value;
        std::uint32_t latest;  // 0 once a later assignment to the name has been read
    };
    static constexpr std::uint32_t emptySlot = 0xFFFFFFFFu;
    static constexpr std::size_t maxLength = 0xFFFF;   // longer names are not kept
    static constexpr std::uint64_t fromFile = 0, fromNames = 1;

    static void prefetch(const void* p) {
#if defined(__GNUC__)
        __builtin_prefetch(p);
#else
        (void)p;
#endif
    }

    static std::uint32_t hashOf(std::string_view name) {
        const char* p = name.data();
        std::size_t n = name.size();
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
        for (; n >= 8; p += 8, n -= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            h = (h ^ w) * 0xFF51AFD7ED558CCDull;
            h ^= h >> 29;
        }
        if (n) {
            std::uint64_t w = 0;
            std::memcpy(&w, p, n);
            h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        }
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ull;
        h ^= h >> 33;
        return std::uint32_t(h >> 32);
    }

    std::string_view nameAt(std::uint64_t where) const {
        const std::uint64_t offset = where >> 17;
        const std::string& text = (where >> 16 & 1) ? names_ : file_;
        return std::string_view(text.data() + offset, std::size_t(where & 0xFFFF));
    }

    static std::uint64_t nameWhere(std::uint64_t source, std::size_t offset, std::size_t length) {
        return std::uint64_t(offset) << 17 | source << 16 | std::uint64_t(length);
    }

    // A new record of the slot's name (at `where` when the slot is empty),
    // which becomes its last assignment.
    void assign(Slot& slot, std::uint32_t hash, std::uint64_t where, float value) {
        if (slot.record == emptySlot) {
            slot.hash = hash;
            ++used_;
        } else {
            where = records_[slot.record].where;
            records_[slot.record].latest = 0;
        }
        slot.record = std::uint32_t(records_.size());
        records_.push_back(Record{where, value, 1});
    }

    // The slot holding name, or the empty slot where it belongs (linear
    // probing; the table is never more than 80% full).
    const Slot& probe(std::string_view name, std::uint32_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.record == emptySlot || (slot.hash == hash && nameAt(records_[slot.record].where) == name))
                return slot;
        }
    }

    // probe, after making room for one more name.
    Slot& place(std::string_view name, std::uint32_t hash) {
        if (used_ + 1 > limit_)
            grow();
        return const_cast<Slot&>(probe(name, hash));
    }

    // Room for n names, at most 80% of the slots in use.
    void reserve(std::size_t n) {
        std::size_t capacity = 16;
        while (capacity - capacity / 5 < n)
            capacity *= 2;
        if (capacity > slots_.size())
            rehash(capacity);
    }

    void grow() { rehash(slots_.empty() ? 16 : slots_.size() * 2); }

    void rehash(std::size_t capacity) {
        unsigned bits = 0;
        while ((std::size_t(1) << bits) < capacity)
            ++bits;
        std::vector<Slot> old(capacity, Slot{emptySlot, 0});
        old.swap(slots_);
        shift_ = 32 - bits;
        limit_ = capacity - capacity / 5;
        const std::size_t mask = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.record == emptySlot)
                continue;
            std::size_t i = slot.hash >> shift_;
            while (slots_[i].record != emptySlot)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::string file_;
    std::string names_;
    std::vector<Slot> slots_;
    std::vector<Record> records_;
    std::size_t next_ = 0;     // the record a lookup tries first
    std::size_t used_ = 0;
    std::size_t limit_ = 0;   // used_ may grow to this before the table grows
    unsigned shift_ = 32;
};

} // namespace

struct zunScript::Contents {
    std::string title;
    std::string text;          // the statements, as save writes them
    bool complete = true;      // false once a statement could not be kept: save must fail
    std::size_t parsed = 0;    // bytes of text already read into values
    Assignments values;
};

zunScript::zunScript(char* title) : contents(new (std::nothrow) Contents) {
    if (!contents || !title)
        return;
    try {
        contents->title = title;
    } catch (...) {
        contents->complete = false;
    }
}

zunScript::~zunScript() {
    delete contents;
}

int zunScript::load(char* path) {
    if (!contents || !path)
        return 0;
    try {
        Assignments loaded;
        if (!readFile(hostPath(path), loaded.file()))
            return 0;
        loaded.readFile();
        contents->values = std::move(loaded);
        contents->parsed = contents->text.size();
        return 1;
    } catch (...) {
        return 0;   // out of memory: the script stays as it was
    }
}

int zunScript::evalStatement(char* name, float* value, int) {
    if (!contents || !name)
        return 0;
    try {
        Contents& c = *contents;
        if (c.parsed < c.text.size()) {
            c.values.readAdded(c.text.data() + c.parsed, c.text.data() + c.text.size());
            c.parsed = c.text.size();
        }
        const float* found = c.values.find(std::string_view(name));
        if (!found)
            return 0;
        if (value)
            *value = *found;
        return 1;
    } catch (...) {
        return 0;
    }
}

int zunScript::addStatement(char* text) {
    if (!contents || !text)
        return 0;
    try {
        const std::size_t length = std::strlen(text);
        contents->text.append(text, length);
        if (length == 0 || text[length - 1] != '\n')
            contents->text.push_back('\n');
        return 1;
    } catch (...) {
        contents->complete = false;
        return 0;
    }
}

int zunScript::save(char* path, int) {
    if (!contents || !contents->complete || !path || !*path)
        return 0;
    try {
        const std::string target = hostPath(path);
        std::error_code ec;
        const fs::path parent = fs::path(target).parent_path();
        if (!parent.empty() && !fs::is_directory(parent, ec)) {
            fs::create_directories(parent, ec);
            if (ec)
                return 0;
        }

        const std::string temporary = temporaryName(target);
        std::FILE* f = std::fopen(temporary.c_str(), "wb");
        if (!f)
            return 0;
        bool ok = writeAll(f, contents->title) && writeAll(f, contents->text);
        ok = std::fflush(f) == 0 && ok;
        ok = std::ferror(f) == 0 && ok;
        ok = std::fclose(f) == 0 && ok;
        if (ok && replaceFile(temporary, target))
            return 1;
        std::remove(temporary.c_str());
        return 0;
    } catch (...) {
        return 0;
    }
}
