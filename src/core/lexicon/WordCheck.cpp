#include "WordCheck.h"

#include "common/Cp1252.h"
#include "common/Prompter.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <array>

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

} // namespace

WordCheckResult CheckWord(const LexiconSet& lexicon, std::string_view letters, std::string_view word,
                          SearchChannel* search, Prompter* prompter) {
    if (word.empty())
        return WordCheckResult::NoAnswer;
    if (word.size() == 1)
        return WordCheckResult::UnknownWord;
    if (!UsesDrawnLetters(letters, word))
        return WordCheckResult::WrongLetters;

    const std::string key = MakeKey(word);
    const int file = lexicon.FindLexFile(key, static_cast<int>(key.size()), 0);
    if (file == 0)
        return WordCheckResult::UnknownKey;

    LexFileReader reader;
    if (!reader.Open(lexicon.LexFilePath(file))) {
        (prompter != nullptr ? *prompter : Prompter::Active())
            .Tell(LexiconTexts::kLostLexicon, LexiconTexts::kCaption, PromptIcon::Exclamation);
        if (search != nullptr)
            search->Stop();
        return WordCheckResult::UnknownWord;
    }
    std::string line;
    while (reader.ReadLine(line)) {
        const int order = CompareKeyLine(key, line);
        if (order > 0)
            break;
        if (order == 0)
            return LineHoldsWord(line, word) ? WordCheckResult::Accepted : WordCheckResult::UnknownWord;
    }
    return WordCheckResult::UnknownKey;
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
    default:
        break;
    }
    return text;
}

} // namespace lexinum
