#include "platform/TextViewLineCounts.h"

#include <algorithm>
#include <cassert>

void TextViewLineCounts::reset(int blocks) {
    m_chunks.clear();
    m_size = blocks;
    m_sum = 0;
    m_unknown = blocks;
    for (int start = 0; start < blocks; start += ChunkSize) {
        Chunk c;
        c.counts.assign(std::min(ChunkSize, blocks - start), Unknown);
        c.unknown = int(c.counts.size());
        m_chunks.push_back(std::move(c));
    }
    updateStarts();
}

void TextViewLineCounts::updateStarts() {
    m_starts.resize(m_chunks.size());
    int start = 0;
    for (size_t i = 0; i < m_chunks.size(); ++i) {
        m_starts[i] = start;
        start += int(m_chunks[i].counts.size());
    }
}

std::pair<int, int> TextViewLineCounts::locate(int block) const {
    assert(block >= 0 && block < m_size);
    const int chunk =
        int(std::upper_bound(m_starts.begin(), m_starts.end(), block) - m_starts.begin()) - 1;
    return {chunk, block - m_starts[chunk]};
}

int TextViewLineCounts::count(int block) const {
    const auto [chunk, index] = locate(block);
    return m_chunks[chunk].counts[index];
}

void TextViewLineCounts::setCount(int block, int lines) {
    const auto [chunk, index] = locate(block);
    Chunk& c = m_chunks[chunk];
    int& slot = c.counts[index];
    if (slot == Unknown) {
        --c.unknown;
        --m_unknown;
    } else {
        c.sum -= slot;
        m_sum -= slot;
    }
    slot = lines;
    if (lines == Unknown) {
        ++c.unknown;
        ++m_unknown;
    } else {
        c.sum += lines;
        m_sum += lines;
    }
}

void TextViewLineCounts::invalidate(int first, int last) {
    for (int b = std::max(0, first); b <= last && b < m_size; ++b)
        setCount(b, Unknown);
}

void TextViewLineCounts::replace(int first, int removed, int inserted) {
    if (m_chunks.empty()) {
        reset(inserted);
        return;
    }
    // Remove chunk by chunk, then insert into the chunk that holds `first` (or the last one).
    int chunk = 0;
    int index = first;
    while (chunk + 1 < int(m_chunks.size()) && index >= int(m_chunks[chunk].counts.size())) {
        index -= int(m_chunks[chunk].counts.size());
        ++chunk;
    }
    int left = removed;
    for (int c = chunk, i = index; left > 0 && c < int(m_chunks.size()); ++c, i = 0) {
        Chunk& ch = m_chunks[c];
        const int n = std::min(left, int(ch.counts.size()) - i);
        for (int k = i; k < i + n; ++k) {
            if (ch.counts[k] == Unknown) {
                --ch.unknown;
                --m_unknown;
            } else {
                ch.sum -= ch.counts[k];
                m_sum -= ch.counts[k];
            }
        }
        ch.counts.erase(ch.counts.begin() + i, ch.counts.begin() + i + n);
        left -= n;
    }
    m_size -= removed - left;

    Chunk& target = m_chunks[chunk];
    target.counts.insert(target.counts.begin() + std::min<int>(index, target.counts.size()),
                         inserted, Unknown);
    target.unknown += inserted;
    m_unknown += inserted;
    m_size += inserted;
    splitIfLarge(chunk);

    m_chunks.erase(std::remove_if(m_chunks.begin() + 1, m_chunks.end(),
                                  [](const Chunk& c) { return c.counts.empty(); }),
                   m_chunks.end());
    if (m_chunks.size() > 1 && m_chunks.front().counts.empty()) m_chunks.erase(m_chunks.begin());
    updateStarts();
}

void TextViewLineCounts::splitIfLarge(int chunk) {
    if (int(m_chunks[chunk].counts.size()) <= 2 * ChunkSize) return;
    std::vector<Chunk> parts;
    const std::vector<int>& all = m_chunks[chunk].counts;
    for (size_t start = 0; start < all.size(); start += ChunkSize) {
        Chunk c;
        c.counts.assign(all.begin() + start, all.begin() + std::min(all.size(), start + ChunkSize));
        for (int v : c.counts) {
            if (v == Unknown)
                ++c.unknown;
            else
                c.sum += v;
        }
        parts.push_back(std::move(c));
    }
    m_chunks.erase(m_chunks.begin() + chunk);
    m_chunks.insert(m_chunks.begin() + chunk, std::make_move_iterator(parts.begin()),
                    std::make_move_iterator(parts.end()));
}

int TextViewLineCounts::firstUnknown(int from) const {
    if (m_unknown == 0 || from >= m_size) return m_size;
    auto [chunk, index] = locate(std::max(0, from));
    for (; chunk < int(m_chunks.size()); ++chunk, index = 0) {
        const Chunk& c = m_chunks[chunk];
        if (c.unknown == 0) continue;
        for (int i = index; i < int(c.counts.size()); ++i)
            if (c.counts[i] == Unknown) return m_starts[chunk] + i;
    }
    return m_size;
}

int TextViewLineCounts::linesBefore(int block) const {
    int sum = 0;
    int base = 0;
    for (const Chunk& c : m_chunks) {
        const int n = int(c.counts.size());
        if (base + n > block) {
            for (int i = 0; i < block - base; ++i) {
                assert(c.counts[i] != Unknown);
                sum += c.counts[i];
            }
            return sum;
        }
        sum += c.sum;
        base += n;
    }
    return sum;
}

int TextViewLineCounts::estimatedBefore(int block, int unknownAs) const {
    int sum = 0;
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        const Chunk& ch = m_chunks[c];
        const int n = int(ch.counts.size());
        if (m_starts[c] + n <= block) {
            sum += ch.sum + ch.unknown * unknownAs;
            continue;
        }
        for (int i = 0; i < block - m_starts[c]; ++i)
            sum += ch.counts[i] == Unknown ? unknownAs : ch.counts[i];
        break;
    }
    return sum;
}

std::pair<int, int> TextViewLineCounts::blockAtLine(int line, int unknownAs) const {
    int sum = 0;
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        const Chunk& ch = m_chunks[c];
        const int chunkLines = ch.sum + ch.unknown * unknownAs;
        if (sum + chunkLines <= line && c + 1 < m_chunks.size()) {
            sum += chunkLines;
            continue;
        }
        for (int i = 0; i < int(ch.counts.size()); ++i) {
            const int n = ch.counts[i] == Unknown ? unknownAs : ch.counts[i];
            if (sum + n > line || i + 1 == int(ch.counts.size())) return {m_starts[c] + i, sum};
            sum += n;
        }
    }
    return {0, 0};
}
