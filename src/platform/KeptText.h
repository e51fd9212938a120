#pragma once

#include <QString>
#include <memory>

// A text kept for later that must not stay a second copy of a large document (the text as
// loaded, the history's first checkpoint): the box shares it while the writer has not typed,
// and a worker thread packs it (zlib) meanwhile, after which only the packed bytes are held.
// Asking for it gives the text back, unpacked if need be. Safe to read from any thread.
class KeptText {
public:
    // Texts shorter than this are simply kept.
    static constexpr qsizetype kPackFrom = 512 * 1024;

    KeptText();
    // A copy shares the text and its packing with the original (set() on either parts them).
    void set(const QString& text);
    QString text() const;
    qsizetype size() const;
    // False when `other` surely differs (its length, its ends or its hash), without unpacking.
    bool mayEqual(QStringView other) const;
    // The packing has finished (or was not needed); for tests.
    bool settled() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
