#include "platform/PrivateProfile.h"

#include "platform/Cp932Codec.h"
#include "platform/DurableSave.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

namespace profile {
namespace {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

constexpr unsigned char foldAscii(unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// 2 for a lead byte with a valid trail byte after it, else 1. A lead byte whose partner is
// broken stands alone, the way the codec decodes it, so a cut never splits what the codec
// would read as one character. Trail bytes can be ']' or ASCII letters, which is why every
// scan that looks for those bytes or folds case walks characters, not bytes.
inline qsizetype charLength(QByteArrayView s, qsizetype i) {
    if (cp932::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
        isTrailByte(static_cast<unsigned char>(s[i + 1])))
        return 2;
    return 1;
}

// The platform's arguments are C strings.
QByteArrayView untilNul(QByteArrayView s) {
    if (s.isEmpty()) return {};
    const void* nul = std::memchr(s.data(), '\0', static_cast<size_t>(s.size()));
    return nul ? s.first(static_cast<const char*>(nul) - s.data()) : s;
}

QByteArrayView trimmed(QByteArrayView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size();) {
        const qsizetype n = charLength(a, i);
        if (n != charLength(b, i)) return false;
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

struct NameHash {
    size_t operator()(QByteArrayView s) const noexcept {
        quint64 h = 14695981039346656037ull;
        for (qsizetype i = 0; i < s.size();) {
            const qsizetype n = charLength(s, i);
            for (qsizetype k = 0; k < n; ++k) {
                const auto b = static_cast<unsigned char>(s[i + k]);
                h = (h ^ (n == 1 ? foldAscii(b) : b)) * 1099511628211ull;
            }
            i += n;
        }
        return static_cast<size_t>(h);
    }
};

struct NameEqual {
    bool operator()(QByteArrayView a, QByteArrayView b) const { return sameName(a, b); }
};

// One line: its text is [begin, end), its line end [end, next).
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

class LineReader {
public:
    LineReader(QByteArrayView data, qsizetype from, qsizetype to)
        : m_data(data.data()), m_pos(from), m_end(to) {}
    explicit LineReader(QByteArrayView data) : LineReader(data, 0, data.size()) {}

    bool next(Line& line) {
        if (m_pos >= m_end) return false;
        qsizetype i = m_pos;
        while (i < m_end && m_data[i] != '\r' && m_data[i] != '\n')
            ++i;
        line.begin = m_pos;
        line.end = i;
        if (i < m_end) i += (m_data[i] == '\r' && i + 1 < m_end && m_data[i + 1] == '\n') ? 2 : 1;
        line.next = m_pos = i;
        return true;
    }

private:
    const char* m_data;
    qsizetype m_pos;
    qsizetype m_end;
};

enum class Kind { Blank, Section, Key, Other };

struct Parsed {
    Kind kind = Kind::Other;
    QByteArrayView name;
    QByteArrayView value; // everything after the first '=', untrimmed
};

// A line starting with '[' is a section header when a ']' follows, and never a key line.
Parsed parseLine(QByteArrayView line) {
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i == line.size()) return {Kind::Blank, {}, {}};
    const char first = line[i];
    if (first == ';') return {};
    if (first == '[') {
        for (qsizetype j = i + 1; j < line.size(); j += charLength(line, j)) {
            if (line[j] == ']') return {Kind::Section, trimmed(line.sliced(i + 1, j - i - 1)), {}};
        }
        return {};
    }
    const auto* eq = static_cast<const char*>(
        std::memchr(line.data() + i, '=', static_cast<size_t>(line.size() - i)));
    if (!eq) return {};
    const qsizetype at = eq - line.data();
    return {Kind::Key, trimmed(line.sliced(i, at - i)), line.sliced(at + 1)};
}

QByteArrayView lineText(QByteArrayView data, const Line& line) {
    return data.sliced(line.begin, line.end - line.begin);
}

// Sections and keys are looked up lazily and remembered, so the many reads of one section at
// start-up cost one pass over the file for the section and one over its body for the keys.
class ProfileIndex {
public:
    explicit ProfileIndex(QByteArrayView data) : m_data(data) {}
    ProfileIndex(const ProfileIndex&) = delete;
    ProfileIndex& operator=(const ProfileIndex&) = delete;

    // The untrimmed text after '=' on the key's line; names must be trimmed already.
    std::optional<QByteArrayView> rawValue(QByteArrayView section, QByteArrayView key) {
        Section& s = sectionNamed(section);
        if (!s.found) return std::nullopt;
        if (!s.keysIndexed) {
            LineReader lines(m_data, s.begin, s.end);
            Line line;
            while (lines.next(line)) {
                const Parsed p = parseLine(lineText(m_data, line));
                if (p.kind == Kind::Key) s.keys.try_emplace(p.name, p.value);
            }
            s.keysIndexed = true;
        }
        const auto it = s.keys.find(key);
        if (it == s.keys.end()) return std::nullopt;
        return it->second;
    }

private:
    struct Section {
        bool found = false;
        qsizetype begin = 0; // first line after the header
        qsizetype end = 0;   // start of the next header, or the end of the file
        bool keysIndexed = false;
        std::unordered_map<QByteArrayView, QByteArrayView, NameHash, NameEqual> keys;
    };

    Section& sectionNamed(QByteArrayView name) {
        const auto known = m_sections.find(name.toByteArray());
        if (known != m_sections.end()) return known->second;
        Section& s = m_sections[name.toByteArray()];
        s.end = m_data.size();
        LineReader lines(m_data);
        Line line;
        while (lines.next(line)) {
            const Parsed p = parseLine(lineText(m_data, line));
            if (p.kind != Kind::Section) continue;
            if (s.found) {
                s.end = line.begin;
                break;
            }
            if (sameName(p.name, name)) {
                s.found = true;
                s.begin = line.next;
            }
        }
        return s;
    }

    QByteArrayView m_data;
    std::unordered_map<QByteArray, Section, NameHash, NameEqual> m_sections;
};

QByteArrayView valueText(QByteArrayView raw) {
    QByteArrayView v = trimmed(untilNul(raw));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v;
}

QByteArray cutToBuffer(QByteArrayView s, int bufferSize) {
    const qsizetype limit = bufferSize > 0 ? bufferSize - 1 : 0;
    if (s.size() <= limit) return s.toByteArray();
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype n = charLength(s, i);
        if (i + n > limit) break;
        i += n;
    }
    return s.first(i).toByteArray();
}

QByteArray defaultResult(QByteArrayView defaultValue, int bufferSize) {
    QByteArrayView d = untilNul(defaultValue);
    while (!d.isEmpty() && isBlank(d.back()))
        d.chop(1);
    return cutToBuffer(d, bufferSize);
}

QByteArray lookup(ProfileIndex& index, QByteArrayView section, QByteArrayView key,
                  QByteArrayView defaultValue, int bufferSize) {
    const auto raw = index.rawValue(trimmed(untilNul(section)), trimmed(untilNul(key)));
    if (!raw) return defaultResult(defaultValue, bufferSize);
    return cutToBuffer(valueText(*raw), bufferSize);
}

struct FileStamp {
    QString path;
    qint64 size = -1;
    qint64 modified = 0;

    static std::optional<FileStamp> of(const QString& path) {
        const QFileInfo info(path);
        if (!info.isFile()) return std::nullopt;
        return FileStamp{info.absoluteFilePath(), info.size(),
                         info.lastModified().toMSecsSinceEpoch()};
    }
    bool operator==(const FileStamp&) const = default;
};

struct CachedFile {
    CachedFile(FileStamp s, QByteArray bytes)
        : stamp(std::move(s)), data(std::move(bytes)), index(data) {}
    CachedFile(const CachedFile&) = delete;
    CachedFile& operator=(const CachedFile&) = delete;

    FileStamp stamp;
    bool changedWhileRead = false;
    const QByteArray data; // the index points into it, so it never changes
    ProfileIndex index;
};

QMutex& cacheMutex() {
    static QMutex mutex;
    return mutex;
}

std::unique_ptr<CachedFile>& cachedFile() {
    static std::unique_ptr<CachedFile> file;
    return file;
}

// The parsed file for `path`, from the cache when its stamp still matches. A file that changes
// while it is read answers this call but is not kept.
std::unique_ptr<CachedFile> takeParsed(const QString& path) {
    const auto before = FileStamp::of(path);
    if (!before) return nullptr;
    auto& cache = cachedFile();
    if (cache && cache->stamp == *before) return std::move(cache);
    cache.reset();
    QFile file(before->path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return nullptr;
    file.close();
    auto parsed = std::make_unique<CachedFile>(*before, std::move(data));
    parsed->changedWhileRead = FileStamp::of(path) != before;
    return parsed;
}

} // namespace

QByteArray readStringFrom(QByteArrayView contents, QByteArrayView section, QByteArrayView key,
                          QByteArrayView defaultValue, int bufferSize) {
    ProfileIndex index(contents);
    return lookup(index, section, key, defaultValue, bufferSize);
}

QByteArray readString(const QString& path, QByteArrayView section, QByteArrayView key,
                      QByteArrayView defaultValue, int bufferSize) {
    QMutexLocker lock(&cacheMutex());
    auto parsed = takeParsed(path);
    if (!parsed) return defaultResult(defaultValue, bufferSize);
    QByteArray result = lookup(parsed->index, section, key, defaultValue, bufferSize);
    if (!parsed->changedWhileRead) cachedFile() = std::move(parsed);
    return result;
}

QByteArray writeStringTo(QByteArrayView contents, QByteArrayView section, QByteArrayView key,
                         QByteArrayView value) {
    section = untilNul(section);
    key = untilNul(key);
    value = untilNul(value);
    const QByteArrayView wantedSection = trimmed(section);
    const QByteArrayView wantedKey = trimmed(key);

    QByteArray keyLine;
    keyLine.reserve(key.size() + value.size() + 3);
    keyLine.append(key).append('=').append(value).append("\r\n");

    QByteArray out;
    out.reserve(contents.size() + keyLine.size() + section.size() + 6);

    bool inSection = false;
    Line lastFilled; // last non-blank line of the section, its header included
    LineReader lines(contents);
    Line line;
    while (lines.next(line)) {
        const Parsed p = parseLine(lineText(contents, line));
        if (p.kind == Kind::Section) {
            if (inSection) break;
            if (sameName(p.name, wantedSection)) {
                inSection = true;
                lastFilled = line;
            }
            continue;
        }
        if (!inSection) continue;
        if (p.kind == Kind::Key && sameName(p.name, wantedKey)) {
            out.append(contents.first(line.begin)).append(keyLine);
            out.append(contents.sliced(line.next));
            return out;
        }
        if (p.kind != Kind::Blank) lastFilled = line;
    }

    if (inSection) {
        out.append(contents.first(lastFilled.next));
        if (lastFilled.next == lastFilled.end) out.append("\r\n"); // last line of the file
        out.append(keyLine).append(contents.sliced(lastFilled.next));
        return out;
    }

    out.append(contents);
    if (!contents.isEmpty() && contents.back() != '\n' && contents.back() != '\r')
        out.append("\r\n");
    out.append('[').append(section).append("]\r\n").append(keyLine);
    return out;
}

bool writeString(const QString& path, QByteArrayView section, QByteArrayView key,
                 QByteArrayView value) {
    QMutexLocker lock(&cacheMutex());
    cachedFile().reset();

    const QFileInfo info(path);
    QByteArray old;
    const bool exists = info.exists();
    if (exists) {
        // A read-only file refuses every write, even one that would change nothing.
        if (!info.isFile() || !info.isWritable()) return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        old = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;
    }

    const QByteArray updated = writeStringTo(old, section, key, value);
    if (exists && updated == old) return true;

    return replaceFileDurably(path, updated);
}

void clearCache() {
    QMutexLocker lock(&cacheMutex());
    cachedFile().reset();
}

} // namespace profile
