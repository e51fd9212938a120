#include "platform/KeptText.h"

#include <QByteArray>
#include <QThreadPool>
#include <QHashFunctions>
#include <mutex>
#include <optional>

struct KeptText::Shared {
    mutable std::mutex lock;
    QString text;      // until packed
    QByteArray packed; // once packed
    bool settled = true;
    // Set before the packing starts and never changed: read without the lock.
    qsizetype size = 0;
    QString head, tail;
    // Once packed.
    std::optional<size_t> hash;
};

namespace {
constexpr qsizetype kEnds = 2048;
}

KeptText::KeptText() : m_shared(std::make_shared<Shared>()) {}

void KeptText::set(const QString& text) {
    // A new state: a packing still running for the old text finishes into a state nobody reads.
    auto shared = std::make_shared<Shared>();
    shared->text = text;
    shared->size = text.size();
    shared->head = text.left(kEnds);
    shared->tail = text.right(kEnds);
    m_shared = shared;
    if (text.size() < kPackFrom) return;
    shared->settled = false;
    QThreadPool::globalInstance()->start([shared] {
        QString source;
        {
            std::lock_guard guard(shared->lock);
            source = shared->text;
        }
        // Level 1: prose packs to a fraction at the speed of a copy or two.
        const size_t hash = qHash(source);
        QByteArray packed = qCompress(reinterpret_cast<const uchar*>(source.constData()),
                                      source.size() * qsizetype(sizeof(QChar)), 1);
        std::lock_guard guard(shared->lock);
        // Only a text that really got smaller gives up its string.
        if (!packed.isEmpty() && packed.size() < source.size() * qsizetype(sizeof(QChar)) / 2) {
            shared->packed = std::move(packed);
            shared->text = QString();
            shared->hash = hash;
        }
        shared->settled = true;
    });
}

QString KeptText::text() const {
    std::lock_guard guard(m_shared->lock);
    if (m_shared->packed.isEmpty()) return m_shared->text;
    const QByteArray raw = qUncompress(m_shared->packed);
    return QString(reinterpret_cast<const QChar*>(raw.constData()),
                   raw.size() / qsizetype(sizeof(QChar)));
}

bool KeptText::mayEqual(QStringView other) const {
    const Shared& s = *m_shared;
    if (other.size() != s.size || other.left(kEnds) != s.head || other.right(kEnds) != s.tail)
        return false;
    std::optional<size_t> hash;
    {
        std::lock_guard guard(s.lock);
        hash = s.hash;
    }
    return !hash || qHash(other) == *hash;
}

qsizetype KeptText::size() const {
    return m_shared->size; // set before the packing starts, never changed
}

bool KeptText::settled() const {
    std::lock_guard guard(m_shared->lock);
    return m_shared->settled;
}
