#include "vertical/VerticalFont.h"

#include <QFontDatabase>
#include <QtEndian>
#include <hb.h>

#include <algorithm>
#include <iterator>

namespace vertical {

namespace {

constexpr double kDesignSize = 1000;

hb_blob_t* tableOf(hb_face_t*, hb_tag_t tag, void* data) {
    const QRawFont* raw = static_cast<const QRawFont*>(data);
    char name[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
    const QByteArray table = raw->fontTable(name);
    if (table.isEmpty()) return nullptr;
    return hb_blob_create(table.constData(), unsigned(table.size()), HB_MEMORY_MODE_DUPLICATE,
                          nullptr, nullptr);
}

// The tables a face may hold, in tag order, the character map left out.
const char* const kTables[] = {
    "BASE", "CBDT", "CBLC", "CFF ", "COLR", "CPAL", "EBDT", "EBLC", "GDEF", "GPOS", "GSUB",
    "OS/2", "STAT", "SVG ", "VORG", "VVAR", "cvt ", "fpgm", "gasp", "glyf", "hdmx", "head",
    "hhea", "hmtx", "kern", "loca", "maxp", "name", "post", "prep", "vhea", "vmtx"};

quint32 checksum(const QByteArray& table) {
    quint32 sum = 0;
    QByteArray padded = table;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + i);
    return sum;
}

// A "name" table that names the face `family` (Windows, US English, UTF-16).
QByteArray nameTable(const QString& family) {
    const QString names[] = {family, QStringLiteral("Regular"), family, family};
    const quint16 ids[] = {1, 2, 4, 6};
    QByteArray strings;
    QByteArray out(6 + 12 * 4, '\0');
    qToBigEndian<quint16>(0, out.data());
    qToBigEndian<quint16>(4, out.data() + 2);
    qToBigEndian<quint16>(quint16(6 + 12 * 4), out.data() + 4);
    for (int i = 0; i < 4; ++i) {
        char* r = out.data() + 6 + 12 * i;
        QByteArray utf16(names[i].size() * 2, '\0');
        for (int k = 0; k < names[i].size(); ++k)
            qToBigEndian<quint16>(names[i][k].unicode(), utf16.data() + 2 * k);
        qToBigEndian<quint16>(3, r);
        qToBigEndian<quint16>(1, r + 2);
        qToBigEndian<quint16>(0x409, r + 4);
        qToBigEndian<quint16>(ids[i], r + 6);
        qToBigEndian<quint16>(quint16(utf16.size()), r + 8);
        qToBigEndian<quint16>(quint16(strings.size()), r + 10);
        strings += utf16;
    }
    return out + strings;
}

// The face rebuilt from its tables without "cmap" and under the name `family`: its glyphs
// draw the same, but nothing maps them back to characters.
QByteArray withoutCharacterMap(const QRawFont& raw, const QString& family) {
    QList<std::pair<const char*, QByteArray>> tables;
    for (const char* tag : kTables) {
        QByteArray t = qstrcmp(tag, "name") == 0 ? nameTable(family) : raw.fontTable(tag);
        if (!t.isEmpty()) tables.append({tag, t});
    }
    const quint16 count = quint16(tables.size());
    quint16 power = 1, log = 0;
    while (power * 2 <= count) power *= 2, ++log;
    QByteArray out(12 + 16 * count, '\0');
    char* h = out.data();
    const bool cff = std::any_of(tables.begin(), tables.end(),
                                 [](const auto& t) { return qstrcmp(t.first, "CFF ") == 0; });
    qToBigEndian<quint32>(cff ? 0x4F54544F : 0x00010000, h);
    qToBigEndian<quint16>(count, h + 4);
    qToBigEndian<quint16>(quint16(power * 16), h + 6);
    qToBigEndian<quint16>(log, h + 8);
    qToBigEndian<quint16>(quint16(count * 16 - power * 16), h + 10);
    for (int i = 0; i < count; ++i) {
        const QByteArray& t = tables[i].second;
        const quint32 offset = quint32(out.size());
        char* r = out.data() + 12 + 16 * i;
        memcpy(r, tables[i].first, 4);
        qToBigEndian<quint32>(checksum(t), r + 4);
        qToBigEndian<quint32>(offset, r + 8);
        qToBigEndian<quint32>(quint32(t.size()), r + 12);
        out.append(t);
        out.append(QByteArray((4 - t.size() % 4) % 4, '\0'));
    }
    return out;
}

} // namespace

char32_t presentationForm(char32_t c) {
    static const std::pair<char32_t, char32_t> kForms[] = {
        {u'—', 0xFE31}, {u'–', 0xFE32}, {u'…', 0xFE19}, {u'‥', 0xFE30}, {u'、', 0xFE11},
        {u'。', 0xFE12}, {u'〈', 0xFE3F}, {u'〉', 0xFE40}, {u'《', 0xFE3D}, {u'》', 0xFE3E},
        {u'「', 0xFE41}, {u'」', 0xFE42}, {u'『', 0xFE43}, {u'』', 0xFE44}, {u'【', 0xFE3B},
        {u'】', 0xFE3C}, {u'〔', 0xFE39}, {u'〕', 0xFE3A}, {u'〖', 0xFE17}, {u'〗', 0xFE18},
        {u'！', 0xFE15}, {u'（', 0xFE35}, {u'）', 0xFE36}, {u'，', 0xFE10}, {u'：', 0xFE13},
        {u'；', 0xFE14}, {u'？', 0xFE16}, {u'［', 0xFE47}, {u'］', 0xFE48}, {u'＿', 0xFE33},
        {u'｛', 0xFE37}, {u'｝', 0xFE38}};
    for (const auto& [from, to] : kForms)
        if (from == c) return to;
    return 0;
}

VerticalFont::VerticalFont(const QFont& font) : m_font(font) {
    m_font.setPixelSize(int(kDesignSize));
    // A face without Japanese (a name the system lacks) gives way to the one Qt falls back to.
    m_raw = QRawFont::fromFont(m_font);
    if (!m_raw.supportsCharacter(U'漢'))
        m_raw = QRawFont::fromFont(m_font, QFontDatabase::Japanese);
    m_raw.setPixelSize(kDesignSize);
    m_face = hb_face_create_for_tables(tableOf, &m_raw, nullptr);
    m_hbFont = hb_font_create(m_face);
    m_buffer = hb_buffer_create();
    // The vertical origin of an ideograph tells where the em box stands above the baseline.
    const quint32 ideograph = glyph(U'一');
    const unsigned upem = hb_face_get_upem(m_face);
    if (ideograph && upem) {
        hb_position_t x = 0, y = 0;
        hb_font_get_glyph_v_origin(m_hbFont, ideograph, &x, &y);
        if (y > 0 && y <= hb_position_t(upem)) m_ascent = double(y) / upem;
    }
}

VerticalFont::~VerticalFont() {
    if (m_bareId >= 0) QFontDatabase::removeApplicationFont(m_bareId);
    hb_buffer_destroy(m_buffer);
    hb_font_destroy(m_hbFont);
    hb_face_destroy(m_face);
}

QRawFont VerticalFont::raw(double pixelSize, bool drawingOnly) {
    if (drawingOnly && !m_bareBuilt) {
        m_bareBuilt = true;
        // Installed from a file under a name of its own: a PDF embeds a face it can find by
        // its file once, and draws any other as outlines, glyph by glyph.
        static int copies = 0;
        const QString family = QStringLiteral("PalloVertical%1").arg(++copies);
        m_bareFile = std::make_unique<QTemporaryFile>();
        if (m_bareFile->open()) {
            m_bareFile->write(withoutCharacterMap(m_raw, family));
            m_bareFile->close();
            m_bareId = QFontDatabase::addApplicationFont(m_bareFile->fileName());
            if (m_bareId >= 0) {
                QFont f(family);
                f.setPixelSize(int(kDesignSize));
                m_bare = QRawFont::fromFont(f);
                if (m_bare.familyName() != family) m_bare = QRawFont();
            }
        }
        // Outlines, then: larger, but still without text.
        if (!m_bare.isValid()) m_bare = QRawFont(withoutCharacterMap(m_raw, family), kDesignSize);
    }
    QRawFont r = drawingOnly && m_bare.isValid() ? m_bare : m_raw;
    r.setPixelSize(pixelSize);
    return r;
}

quint32 VerticalFont::glyph(char32_t c) {
    auto it = m_glyphs.constFind(c);
    if (it != m_glyphs.constEnd()) return *it;
    quint32 g = 0;
    if (m_raw.supportsCharacter(c)) {
        const QString s = QString::fromUcs4(&c, 1);
        int n = 1;
        quint32 ids[2] = {};
        if (m_raw.glyphIndexesForChars(s.constData(), int(s.size()), ids, &n) && n >= 1)
            g = ids[0];
    }
    m_glyphs.insert(c, g);
    return g;
}

quint32 VerticalFont::verticalGlyph(char32_t c) {
    auto it = m_vertical.constFind(c);
    if (it != m_vertical.constEnd()) return *it;
    quint32 g = 0;
    const quint32 plain = glyph(c);
    if (plain) {
        hb_buffer_clear_contents(m_buffer);
        const uint32_t cp = c;
        hb_buffer_add_utf32(m_buffer, &cp, 1, 0, 1);
        hb_buffer_set_direction(m_buffer, HB_DIRECTION_TTB);
        hb_buffer_set_script(m_buffer, HB_SCRIPT_HAN);
        hb_buffer_set_language(m_buffer, hb_language_from_string("ja", -1));
        hb_shape(m_hbFont, m_buffer, nullptr, 0);
        unsigned n = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(m_buffer, &n);
        if (n == 1 && info[0].codepoint != plain) g = info[0].codepoint;
    }
    m_vertical.insert(c, g);
    return g;
}

quint32 VerticalFont::presentationGlyph(char32_t c) {
    const char32_t form = presentationForm(c);
    return form ? glyph(form) : 0;
}

double VerticalFont::advance(quint32 g) {
    auto it = m_advances.constFind(g);
    if (it != m_advances.constEnd()) return *it;
    const QList<QPointF> a = m_raw.advancesForGlyphIndexes(QList<quint32>{g});
    const double em = a.isEmpty() ? 1.0 : a[0].x() / kDesignSize;
    m_advances.insert(g, em);
    return em;
}

} // namespace vertical
