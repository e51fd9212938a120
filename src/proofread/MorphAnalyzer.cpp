#include "proofread/MorphAnalyzer.h"

#include <mecab.h>

#include <array>
#include <cstring>

namespace proofread {

struct MorphAnalyzer::Engine {
    std::unique_ptr<MeCab::Model> model;
    std::unique_ptr<MeCab::Tagger> tagger;
    std::unique_ptr<MeCab::Lattice> lattice;
};

MorphAnalyzer::MorphAnalyzer(const QString& arguments) {
    const QByteArray args = arguments.toUtf8();
    auto engine = std::make_unique<Engine>();
    engine->model.reset(MeCab::createModel(args.constData()));
    if (engine->model) {
        engine->tagger.reset(engine->model->createTagger());
        engine->lattice.reset(engine->model->createLattice());
    }
    if (engine->tagger && engine->lattice) {
        m_engine = std::move(engine);
    } else {
        m_problem = QStringLiteral("形態素解析（MeCab）の辞書が見つかりません。"
                                   "二重助詞・ら抜き言葉・同じ語の連続と、読みによる表記ゆれは"
                                   "調べていません。（%1）")
                        .arg(QString::fromUtf8(MeCab::getLastError()).trimmed());
    }
}

MorphAnalyzer::~MorphAnalyzer() = default;

bool MorphAnalyzer::available() const {
    return m_engine != nullptr;
}

QString MorphAnalyzer::problem() const {
    return m_problem;
}

namespace {

// The first eight columns of a feature string; unknown words have fewer of them.
std::array<QString, 8> columnsOf(const char* feature) {
    std::array<QString, 8> out;
    out.fill(QStringLiteral("*"));
    const char* p = feature;
    for (std::size_t i = 0; i < out.size() && *p; ++i) {
        const char* end = std::strchr(p, ',');
        if (!end) end = p + std::strlen(p);
        out[i] = QString::fromUtf8(p, end - p);
        p = *end ? end + 1 : end;
    }
    return out;
}

// UTF-16 length of the UTF-8 bytes [p, end).
int utf16Length(const char* p, const char* end) {
    int n = 0;
    while (p < end) {
        const auto b = static_cast<unsigned char>(*p);
        const int step = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        n += step == 4 ? 2 : 1;
        p += step;
    }
    return n;
}

} // namespace

std::vector<Morpheme> MorphAnalyzer::analyze(QStringView sentence) {
    std::vector<Morpheme> out;
    if (!m_engine || sentence.isEmpty()) return out;
    const QByteArray utf8 = sentence.toUtf8();
    MeCab::Lattice* lattice = m_engine->lattice.get();
    lattice->set_sentence(utf8.constData(), utf8.size());
    if (!m_engine->tagger->parse(lattice)) return out;
    const char* begin = utf8.constData();
    const char* mapped = begin; // bytes up to here are counted in `offset`
    int offset = 0;
    for (const MeCab::Node* node = lattice->bos_node(); node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
        offset += utf16Length(mapped, node->surface);
        mapped = node->surface + node->length;
        Morpheme m;
        m.start = offset;
        m.surface = QString::fromUtf8(node->surface, node->length);
        m.length = int(m.surface.size());
        offset += m.length;
        auto columns = columnsOf(node->feature);
        m.pos = std::move(columns[0]);
        m.pos1 = std::move(columns[1]);
        m.pos2 = std::move(columns[2]);
        m.pos3 = std::move(columns[3]);
        m.conjugationType = std::move(columns[4]);
        m.conjugationForm = std::move(columns[5]);
        m.baseForm = std::move(columns[6]);
        m.reading = std::move(columns[7]);
        out.push_back(std::move(m));
    }
    return out;
}

QString MorphAnalyzer::readingOf(const QString& baseForm) {
    const auto it = m_readings.constFind(baseForm);
    if (it != m_readings.cend()) return *it;
    QString reading;
    for (const Morpheme& m : analyze(baseForm))
        reading += m.reading == u"*" ? m.surface : m.reading;
    m_readings.insert(baseForm, reading);
    return reading;
}

} // namespace proofread
