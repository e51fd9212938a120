#include "FuzzSupport.h"
#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <optional>

// Any settings file reads as a line-by-line scan of the rules reads it, and writing one key
// changes that key alone: afterwards it reads back as the first line of the value, and every
// other section and key reads as before. Names mix blanks, brackets, '=', ';', quotes, line
// ends, NUL and double-byte characters whose trail byte is '[', ']' or '\', so every scan has to
// walk characters rather than bytes.

namespace {

bool lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool trail(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}
bool blank(char c) {
    return c == ' ' || c == '\t';
}

// The characters of a name: a lead byte with a trail byte after it is one.
QList<QByteArray> characters(const QByteArray& s) {
    QList<QByteArray> out;
    for (qsizetype i = 0; i < s.size();) {
        const int n = lead(s[i]) && i + 1 < s.size() && trail(s[i + 1]) ? 2 : 1;
        out.append(s.mid(i, n));
        i += n;
    }
    return out;
}

QByteArray untilNul(const QByteArray& s) {
    return s.left(s.indexOf('\0') < 0 ? s.size() : s.indexOf('\0'));
}

QByteArray trim(QByteArray s) {
    while (!s.isEmpty() && blank(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && blank(s.back()))
        s.chop(1);
    return s;
}

bool sameName(const QByteArray& a, const QByteArray& b) {
    QList<QByteArray> x = characters(a), y = characters(b);
    for (QList<QByteArray>* list : {&x, &y})
        for (QByteArray& c : *list)
            if (c.size() == 1 && c[0] >= 'A' && c[0] <= 'Z') c[0] = char(c[0] + 'a' - 'A');
    return x == y;
}

QByteArray cut(const QByteArray& s, int bufferSize) {
    const qsizetype limit = bufferSize > 0 ? bufferSize - 1 : 0;
    QByteArray out;
    for (const QByteArray& c : characters(s)) {
        if (out.size() + c.size() > limit) break;
        out += c;
    }
    return out;
}

QByteArray valueOf(const QByteArray& raw) {
    QByteArray v = trim(untilNul(raw));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

QList<QByteArray> lines(const QByteArray& contents) {
    QList<QByteArray> out;
    QByteArray line;
    for (qsizetype i = 0; i < contents.size(); ++i) {
        const char c = contents[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
        out.append(line);
        line.clear();
    }
    if (!line.isEmpty()) out.append(line);
    return out;
}

// The name of a section header line, or nothing for any other line.
std::optional<QByteArray> headerName(const QByteArray& line) {
    const QByteArray t = trim(line);
    if (!t.startsWith('[')) return std::nullopt;
    QByteArray name;
    for (const QByteArray& c : characters(line.mid(line.indexOf('[') + 1))) {
        if (c == "]") return trim(name);
        name += c;
    }
    return std::nullopt;
}

QByteArray naiveRead(const QByteArray& contents, const QByteArray& section, const QByteArray& key,
                     const QByteArray& defaultValue, int bufferSize) {
    const QByteArray s = trim(untilNul(section)), k = trim(untilNul(key));
    bool inSection = false;
    for (const QByteArray& line : lines(contents)) {
        const QByteArray t = trim(line);
        if (t.isEmpty() || t.startsWith(';')) continue;
        if (t.startsWith('[')) {
            const auto name = headerName(line);
            if (!name) continue;
            if (inSection) break;
            inSection = sameName(*name, s);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inSection && eq >= 0 && sameName(trim(line.left(eq)), k))
            return cut(valueOf(line.mid(eq + 1)), bufferSize);
    }
    QByteArray d = untilNul(defaultValue);
    while (!d.isEmpty() && blank(d.back()))
        d.chop(1);
    return cut(d, bufferSize);
}

// Whether "[section]" and "key=value" lines written as given read back as that section and key.
bool writable(const QByteArray& section, const QByteArray& key) {
    const QByteArray s = untilNul(section), k = untilNul(key);
    if (s.contains('\r') || s.contains('\n') || k.contains('\r') || k.contains('\n')) return false;
    const QList<QByteArray> chars = characters(s);
    if (chars.contains("]")) return false;
    // A lead byte at the end takes the header's ']' as its trail byte.
    if (!chars.isEmpty() && chars.back().size() == 1 && lead(chars.back()[0])) return false;
    const QByteArray t = trim(k);
    return !k.contains('=') && !t.startsWith(';') && !t.startsWith('[');
}

constexpr unsigned char kAlphabet[] = {'a',  'A',  'b',  ' ',  '\t', '[',  ']',  '=',
                                       ';',  '"',  '\'', '\r', '\n', '\0', 0x81, 0x9F,
                                       0xE0, 0x5B, 0x5D, 0x5C, 0x41, 0x61, 0x81, 0x8A};

QByteArray randomBytes(fuzz::Input& in, int maxLength) {
    QByteArray out;
    const int n = in.pick(maxLength + 1);
    for (int i = 0; i < n && !in.empty(); ++i)
        out += char(kAlphabet[in.pick(sizeof kAlphabet)]);
    return out;
}

// A file of headers, key lines and stray lines with mixed line ends; the names used go to the
// pools the lookups draw from.
QByteArray buildFile(fuzz::Input& in, QList<QByteArray>& sections, QList<QByteArray>& keys) {
    static const char* const kEnds[] = {"\r\n", "\n", "\r", ""};
    QByteArray file;
    const int n = in.pick(12);
    for (int i = 0; i < n && !in.empty(); ++i) {
        const QByteArray pad = in.flag() ? " \t" : "";
        switch (in.pick(4)) {
        case 0:
            sections.append(randomBytes(in, 4));
            file += pad + '[' + sections.back() + ']' + randomBytes(in, 2);
            break;
        case 1:
        case 2:
            keys.append(randomBytes(in, 4));
            file += pad + keys.back() + '=' + randomBytes(in, 6);
            break;
        default:
            file += randomBytes(in, 8);
        }
        file += kEnds[in.pick(4)];
    }
    return file;
}

QString tempFile() {
    // In memory where there is a memory file system: every write syncs its file.
    static QTemporaryDir dir((QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                  ? QStringLiteral("/dev/shm")
                                  : QDir::tempPath()) +
                             QStringLiteral("/pallo-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("fuzz.ini"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    fuzz::Input in(data, size);
    QList<QByteArray> sections, keys;
    const bool raw = in.pick(8) == 0;
    // Rarely, and never for the zeros past the end of the input.
    const bool onDisk = in.byte() == 0xA5;
    const QByteArray contents = raw ? in.bytes(256) : buildFile(in, sections, keys);
    for (int i = 0; i < 2; ++i) {
        sections.append(randomBytes(in, 3));
        keys.append(randomBytes(in, 3));
    }
    const QByteArray section = sections[in.pick(int(sections.size()))];
    const QByteArray key = keys[in.pick(int(keys.size()))];
    const QByteArray value = randomBytes(in, 8);
    const QByteArray defaultValue = randomBytes(in, 4);
    static const int kBufferSizes[] = {255, 0, 1, 2, 3, 4, 5, -1};
    const int bufferSize = kBufferSizes[in.pick(8)];

    const QByteArray out = profile::writeStringTo(contents, section, key, value);
    for (const QByteArray& s : sections) {
        for (const QByteArray& k : keys) {
            const QByteArray before = naiveRead(contents, s, k, defaultValue, bufferSize);
            const QByteArray after = naiveRead(out, s, k, defaultValue, bufferSize);
            FUZZ_CHECK(profile::readStringFrom(contents, s, k, defaultValue, bufferSize) == before);
            FUZZ_CHECK(profile::readStringFrom(out, s, k, defaultValue, bufferSize) == after);
            const bool same = sameName(trim(untilNul(s)), trim(untilNul(section))) &&
                              sameName(trim(untilNul(k)), trim(untilNul(key)));
            // A value with line breaks adds lines of its own, which may be anything.
            const bool oneLine = !untilNul(value).contains('\r') && !untilNul(value).contains('\n');
            if (writable(section, key) && oneLine && !same) FUZZ_CHECK(after == before);
        }
    }
    if (writable(section, key)) {
        QByteArray firstLine;
        for (const char c : untilNul(value)) {
            if (c == '\r' || c == '\n') break;
            firstLine += c;
        }
        FUZZ_CHECK(profile::readStringFrom(out, section, key, defaultValue, bufferSize) ==
                   cut(valueOf(firstLine), bufferSize));
        // Writing the same one-line value again leaves the file as it is.
        if (firstLine == untilNul(value))
            FUZZ_CHECK(profile::writeStringTo(out, section, key, value) == out);
    }

    if (onDisk) {
        // The file forms give what the memory forms give, through the cache and after a write.
        const QString path = tempFile();
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        file.close();
        profile::clearCache();
        for (int round = 0; round < 2; ++round)
            FUZZ_CHECK(profile::readString(path, section, key, defaultValue, bufferSize) ==
                       profile::readStringFrom(contents, section, key, defaultValue, bufferSize));
        FUZZ_CHECK(profile::writeString(path, section, key, value));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly) && file.readAll() == out);
        file.close();
        FUZZ_CHECK(profile::readString(path, section, key, defaultValue, bufferSize) ==
                   profile::readStringFrom(out, section, key, defaultValue, bufferSize));
    }
    return 0;
}
