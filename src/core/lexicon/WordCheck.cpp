#include "WordCheck.h"

#include "common/Cp1252.h"
#include "common/Prompter.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconFolder.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace lexinum {

namespace {

// True when every character of `word` is among `letters`, each used at most
// as often as it was drawn.
bool UsesDrawnLetters(std::string_view letters, std::string_view word) {
    std::array<int, 256> remaining{};
    for (char c : letters)
        ++remaining[static_cast<unsigned char>(c)];
    for (char c : word)
        if (remaining[static_cast<unsigned char>(c)]-- <= 0)
            return false;
    return true;
}

// True when one of the words after the key of `line` folds to `word`.
bool LineHoldsWord(std::string_view line, std::string_view word) {
    std::size_t at = line.find(' ');
    while (at != std::string_view::npos) {
        const std::size_t start = at + 1;
        at = line.find(' ', start);
        std::string candidate(line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        FoldText(candidate);
        if (candidate == word)
            return true;
    }
    return false;
}

// The key of the first line of a file: what lies before its first space.
std::string_view KeyOf(std::string_view line) {
    return line.substr(0, std::min(line.find(' '), LexiconSet::kMaxEntryLength));
}

} // namespace

WordCheckResult CheckWord(const LexiconSet& given, std::string_view letters, std::string_view word,
                          SearchChannel* search, Prompter* prompter) {
    if (word.empty())
        return WordCheckResult::NoAnswer;
    if (word.size() == 1)
        return WordCheckResult::UnknownWord;
    if (!UsesDrawnLetters(letters, word))
        return WordCheckResult::WrongLetters;

    const auto giveUp = [&](WordCheckResult result, const std::string& message) {
        (prompter != nullptr ? *prompter : Prompter::Active())
            .Tell(message, LexiconTexts::kCaption, PromptIcon::Exclamation);
        if (search != nullptr)
            search->Stop();
        return result;
    };
    // A lexicon whose folder or index changed since it was read is read again:
    // the word is judged by the index of the files it is looked up in.
    const LexiconSet* lexicon = &given;
    LexiconSet fresh;
    if (!given.StillCurrent()) {
        fresh = given;
        if (!fresh.Refresh())
            return giveUp(WordCheckResult::IndexMismatch, LexiconTexts::NoLongerUsable(fresh.Problem()));
        lexicon = &fresh;
    }

    const std::string key = MakeKey(word);
    const int file = lexicon->FindLexFile(key, static_cast<int>(key.size()), 0);
    if (file == 0)
        return WordCheckResult::UnknownKey;

    // The file is taken from the folder its index was read from.
    LexiconFolder& folder = *lexicon->Folder();
    const std::string name = LexiconSet::LexFileName(lexicon->Radical(), file);
    bool lost = false;
    const std::shared_ptr<const std::string> bytes = folder.Bytes(name, lost);
    LexFileReader reader;
    if (bytes != nullptr)
        reader.OpenBytes(*bytes);
    else if (lost || !reader.OpenAt(folder.Descriptor(), name))
        return giveUp(WordCheckResult::LexiconLost, LexiconTexts::kLostLexicon);
    std::string line;
    // The file must begin where the index says (an empty file does not):
    // otherwise the index chose it for a key that may lie elsewhere.
    const bool begins = reader.ReadLine(line);
    if (!reader.Failed() && (!begins || KeyOf(line) != lexicon->FirstEntry(file)))
        return giveUp(WordCheckResult::IndexMismatch, LexiconTexts::IndexMismatch(lexicon->LexFilePath(file).string()));
    WordCheckResult result = WordCheckResult::UnknownKey;
    for (bool more = begins; more; more = reader.ReadLine(line)) {
        const int order = CompareKeyLine(key, line);
        if (order > 0)
            break;
        if (order == 0) {
            result = LineHoldsWord(line, word) ? WordCheckResult::Accepted : WordCheckResult::UnknownWord;
            break;
        }
    }
    // A read error is not the end of the file: what was not read could hold the word.
    if (reader.Failed())
        return giveUp(WordCheckResult::LexiconLost, LexiconTexts::kLostLexicon);
    return result;
}

std::string VerdictText(std::string_view word, WordCheckResult result) {
    const std::string shown = Cp1252::ToUtf8(word);
    if (result == WordCheckResult::Accepted)
        return " " + shown + " accepté.\r\n (" + std::to_string(word.size()) + " lettres)\r\n";
    if (word.empty())
        return " Aucune réponse donnée.\r\n";
    std::string text = " " + shown + " refusé:\r\n";
    switch (result) {
    case WordCheckResult::WrongLetters:
        text += "       Lettres erronées.\r\n";
        break;
    case WordCheckResult::UnknownWord:
    case WordCheckResult::UnknownKey:
        text += word.size() == 1 ? " Les mots d'une lettre ne sont pas pris en compte.\r\n" : "       Mot inconnu.\r\n";
        break;
    case WordCheckResult::LexiconLost:
    case WordCheckResult::IndexMismatch:
        return " " + shown + " non vérifié:\r\n       Lexique illisible.\r\n";
    default:
        break;
    }
    return text;
}

} // namespace lexinum
