#include "WordCheck.h"

#include "common/Cp1252.h"
#include "common/Prompter.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <array>
#include <filesystem>

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

// A lexicon file that does not begin where its index says.
std::string IndexMismatchText(const std::filesystem::path& file) {
    return "Le fichier lexique " + file.string() +
           " ne commence pas par la première entrée que lui donne le fichier lex.ini : le lexique est endommagé.\r\n"
           "Choisissez Changer de lexique dans le menu Lexique.";
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

    const std::filesystem::path path = lexicon.LexFilePath(file);
    const auto giveUp = [&](WordCheckResult result, const std::string& message) {
        (prompter != nullptr ? *prompter : Prompter::Active())
            .Tell(message, LexiconTexts::kCaption, PromptIcon::Exclamation);
        if (search != nullptr)
            search->Stop();
        return result;
    };
    LexFileReader reader;
    if (!reader.Open(path))
        return giveUp(WordCheckResult::LexiconLost, LexiconTexts::kLostLexicon);
    std::string line;
    bool firstLine = true;
    WordCheckResult result = WordCheckResult::UnknownKey;
    while (reader.ReadLine(line)) {
        if (firstLine) {
            // The file must begin where the index says: otherwise the index
            // chose it for a key that may lie elsewhere.
            firstLine = false;
            const std::string& entry = lexicon.firstEntries[static_cast<std::size_t>(file - 1)];
            const std::string_view firstKey = std::string_view(line).substr(0, line.find(' '));
            if (!entry.empty() && firstKey.substr(0, LexiconSet::kMaxEntryLength) != entry)
                return giveUp(WordCheckResult::IndexMismatch, IndexMismatchText(path));
        }
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
