#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// 表記ゆれ: groups of spellings of one word. A group comes from the word list (one line of
// the built-in list or of the writer's file), from katakana written with and without a final
// ー, or from words the analyser reads alike in kanji and in kana. Groups and spellings are
// numbered once per session, so a sentence's uses are stored as numbers.
namespace proofread {

// One use of a spelling in a sentence.
struct WordUse {
    int group = 0;
    int variant = 0; // index of the spelling within its group
    int start = 0;   // code units within the sentence
    int length = 0;
    friend bool operator==(const WordUse&, const WordUse&) = default;
};

enum class VariantSource { WordList, LongVowel, Reading };

class VariantIndex {
public:
    // The built-in list and the lines of the writer's file: each line one group, spellings
    // separated by "/", "、" or blanks; "#" starts a comment.
    explicit VariantIndex(const QString& userList = QString());
    // The file's name in the settings folder.
    static QString userListFileName();

    // Uses of word-list spellings in a sentence: the longest spelling wins where several
    // start at one place, and a katakana spelling must not continue a longer katakana word.
    void findListed(QStringView sentence, std::vector<WordUse>& out) const;
    // True when a spelling is a word-list entry (the analyser then leaves that word alone).
    bool isListed(const QString& spelling) const;

    // The group of a katakana word with or without a final ー, or of a reading.
    int groupFor(VariantSource source, const QString& key);
    int variantFor(int group, const QString& spelling);

    int groupCount() const { return int(m_groups.size()); }
    VariantSource sourceOf(int group) const { return m_groups[std::size_t(group)].source; }
    const QStringList& spellingsOf(int group) const {
        return m_groups[std::size_t(group)].spellings;
    }
    // The spelling used most, or -1 when none is used; a tie goes to the list's first, the
    // one with ー, the one in kanji.
    int winner(int group, const std::vector<int>& counts) const;

private:
    struct Group {
        VariantSource source;
        QStringList spellings;
    };
    void addListLine(QStringView line);

    std::vector<Group> m_groups;
    QHash<QString, int> m_keys;                   // source-tagged key → group
    QHash<QString, std::pair<int, int>> m_listed; // spelling → (group, variant)
    QHash<char16_t, QStringList> m_byFirstChar;   // listed spellings, longest first
};

bool isKatakana(QChar c);
bool hasKanji(QStringView s);
bool isAllHiragana(QStringView s);

} // namespace proofread
