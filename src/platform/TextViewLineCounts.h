#pragma once

#include <vector>

// Wrapped line counts of the blocks of a TextView, with the sums needed to turn a block number
// into its first wrapped line. A count may be unknown (not laid out yet). Blocks are held in
// chunks of about a thousand, each with its sum, so inserting or removing blocks, changing one
// count and summing the counts before a block all stay cheap on a document of 200,000 blocks.
class TextViewLineCounts {
public:
    static constexpr int Unknown = -1;

    // `blocks` blocks, every count unknown.
    void reset(int blocks);
    int size() const { return m_size; }

    int count(int block) const;
    void setCount(int block, int lines);
    // Replaces `removed` blocks starting at `first` by `inserted` blocks of unknown count.
    void replace(int first, int removed, int inserted);
    // Marks blocks [first, last] unknown.
    void invalidate(int first, int last);

    int unknownCount() const { return m_unknown; }
    // The first block at or after `from` whose count is unknown, or size().
    int firstUnknown(int from) const;
    // Sum of the counts of blocks [0, block); every one of them must be known.
    int linesBefore(int block) const;
    // Sum of all counts; every block must be known.
    int total() const { return m_sum; }

    // The same sums while some counts are still unknown, each taken as `unknownAs` lines: what
    // a view shows before its wrapped layout is complete.
    int estimatedBefore(int block, int unknownAs) const;
    int estimatedTotal(int unknownAs) const { return m_sum + m_unknown * unknownAs; }
    // The block holding line `line` of that estimate, and the first line of that block.
    std::pair<int, int> blockAtLine(int line, int unknownAs) const;

private:
    struct Chunk {
        std::vector<int> counts;
        int sum = 0;
        int unknown = 0;
    };
    static constexpr int ChunkSize = 1024;

    // Chunk holding `block` and the block's index in it.
    std::pair<int, int> locate(int block) const;
    void splitIfLarge(int chunk);
    void updateStarts();

    std::vector<Chunk> m_chunks;
    std::vector<int> m_starts; // first block of each chunk
    int m_size = 0;
    int m_sum = 0;
    int m_unknown = 0;
};
