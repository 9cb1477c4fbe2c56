#include "LexiconEditor.h"

#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "common/SystemError.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// The longest line a lexicon file may hold, without its CR LF: every reader
// cuts a longer one.
constexpr std::size_t kMaxLineText = static_cast<std::size_t>(kMaxLineLength) - 2;

// The word between double quotes, as the messages show it.
std::string Quoted(std::string_view word) {
    return "\"" + Cp1252::ToUtf8(word) + "\"";
}

// The key of a line: what lies before its first space.
std::string_view KeyOfLine(std::string_view line) {
    return line.substr(0, line.find(' '));
}

// The words of a line, after its key.
std::vector<std::string> WordsOfLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = line.find(' ');
    while (at != std::string_view::npos) {
        const std::size_t start = at + 1;
        at = line.find(' ', start);
        const std::string_view word =
            line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
        if (!word.empty())
            words.emplace_back(word);
    }
    return words;
}

// The message of a rewrite that failed: "Erreur de fichier." over the
// reason, which says it once even when the reason begins with its own header.
std::string FileErrorText(std::string_view reason) {
    constexpr std::string_view kHeader = "Erreur de fichier:\r\n";
    if (reason.substr(0, kHeader.size()) == kHeader)
        reason.remove_prefix(kHeader.size());
    return "Erreur de fichier.\r\n" + std::string(reason);
}

// A line that every reader passes over.
bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \r") == std::string_view::npos;
}

// Writes all of `bytes` to `fd`; false with errno set when the system refuses.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

LexiconEditor::Moment LexiconEditor::Moment::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    Moment moment;
    moment.day = static_cast<unsigned>(local.tm_mday);
    moment.month = static_cast<unsigned>(local.tm_mon + 1);
    moment.year = static_cast<unsigned>(local.tm_year + 1900);
    moment.hour = static_cast<unsigned>(local.tm_hour);
    moment.minute = static_cast<unsigned>(local.tm_min);
    moment.second = static_cast<unsigned>(local.tm_sec);
    return moment;
}

LexiconEditor::LexiconEditor(LexiconSet& lexicon, Prompter* prompter, SearchChannel* search)
    : lexicon_(lexicon), prompter_(prompter), search_(search) {}

void LexiconEditor::Tell(const std::string& text) const {
    (prompter_ != nullptr ? *prompter_ : Prompter::Active())
        .Tell(text, LexiconTexts::kCaption, PromptIcon::Exclamation);
}

std::string LexiconEditor::CleanText(std::string_view text) {
    std::string clean(text.substr(0, kMaxTextLength));
    for (char& c : clean) {
        const char folded = FoldLetter(c);
        if (c != ' ' && c != '\r' && c != '\n' && !(folded >= 'A' && folded <= 'Z'))
            c = ' ';
    }
    return clean;
}

std::vector<std::string> LexiconEditor::SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \r\n", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \r\n", start), text.size());
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

std::string LexiconEditor::Question(std::string_view word, Mode mode) {
    return mode == Mode::Add ? "Etes-vous sûr de vouloir ajouter le mot " + Quoted(word) + " au lexique?"
                             : "Etes-vous sûr de vouloir supprimer du lexique le mot " + Quoted(word) + "?";
}

std::string LexiconEditor::StatusText(Mode mode) {
    return mode == Mode::Add ? "Ajout du mot dans le fichier lexique correspondant..."
                             : "Suppression du mot du lexique...";
}

bool LexiconEditor::ReadLines(int file, std::string& bytes, std::vector<Line>& lines) const {
    bytes.clear();
    lines.clear();
    if (ReadOnlyFile::Read(lexicon_.LexFilePath(file), bytes, ReadOnlyFile::kDefaultReadLimit) !=
        ReadOnlyFile::ReadResult::Read)
        return false;
    // Each line keeps its own line end, so that every line not changed is
    // written back byte for byte.
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t feed = bytes.find('\n', at);
        const std::size_t stop = feed == std::string::npos ? bytes.size() : feed;
        std::size_t textEnd = stop;
        if (textEnd > at && bytes[textEnd - 1] == '\r')
            --textEnd;
        const std::size_t next = feed == std::string::npos ? bytes.size() : feed + 1;
        lines.push_back({bytes.substr(at, textEnd - at), bytes.substr(textEnd, next - textEnd)});
        at = next;
    }
    return true;
}

int LexiconEditor::FindWordForChange(std::string_view word, std::string_view key, Mode mode) {
    const int length = static_cast<int>(key.size());
    if (length > kMaxKeyLength)
        return kOutOfLimits;
    const int file = lexicon_.FindLexFile(key, length, 0);
    if (file == 0)
        return kOutOfLimits;
    std::string bytes;
    std::vector<Line> lines;
    if (!ReadLines(file, bytes, lines)) {
        Tell(LexiconTexts::kLostLexicon);
        if (search_ != nullptr)
            search_->Stop();
        return kFileLost;
    }
    bool present = false;
    for (const Line& line : lines) {
        if (IsBlank(line.text))
            continue;
        const int order = CompareKeyLine(key, line.text);
        if (order > 0)
            break;
        if (order == 0) {
            for (const std::string& held : WordsOfLine(line.text))
                present = present || held == word;
            break;
        }
    }
    const bool adding = mode == Mode::Add;
    return present == adding ? kNoChange : file;
}

LexiconEditor::Outcome LexiconEditor::AddWordToFile(std::vector<Line>& lines, std::string_view word,
                                                    std::string_view key) {
    const std::string newLine = std::string(key) + " " + std::string(word);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsBlank(lines[i].text))
            continue;
        const int order = CompareKeyLine(key, lines[i].text);
        if (order < 0)
            continue;
        if (order == 0) {
            // Written meanwhile by another program: the line keeps one copy.
            const std::vector<std::string> held = WordsOfLine(lines[i].text);
            if (std::find(held.begin(), held.end(), word) != held.end()) {
                Tell("Erreur: Fichier modifié par un autre processus.");
                return Outcome::ChangedElsewhere;
            }
            // An anagram goes at the end of its key's line, which must still
            // fit in a lexicon line: every reader would cut it otherwise.
            if (lines[i].text.size() + 1 + word.size() > kMaxLineText) {
                Tell("Le mot " + Quoted(word) +
                     " ne peut pas être ajouté : la ligne de ses anagrammes dépasserait la longueur d'une ligne de "
                     "lexique (" +
                     std::to_string(kMaxLineLength) + " caractères).");
                return Outcome::LineTooLong;
            }
            lines[i].text += " " + std::string(word);
            return Outcome::Done;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), Line{newLine, "\r\n"});
        return Outcome::Done;
    }
    // After the last line: a last line without its line end gets one.
    if (!lines.empty() && lines.back().end.empty())
        lines.back().end = "\r\n";
    lines.push_back({newLine, "\r\n"});
    return Outcome::Done;
}

LexiconEditor::Outcome LexiconEditor::RemoveWordFromFile(std::vector<Line>& lines, std::string_view word,
                                                         std::string_view key) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsBlank(lines[i].text))
            continue;
        const int order = CompareKeyLine(key, lines[i].text);
        if (order < 0)
            continue;
        if (order > 0)
            break;
        std::vector<std::string> words = WordsOfLine(lines[i].text);
        const auto found = std::find(words.begin(), words.end(), word);
        if (found == words.end())
            break;
        words.erase(found);
        if (words.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            std::string text(KeyOfLine(lines[i].text));
            for (const std::string& kept : words)
                text += " " + kept;
            lines[i].text = text;
        }
        return Outcome::Done;
    }
    // The file no longer holds the word it was found to hold.
    Tell("Erreur: Fichier modifié par un autre processus.");
    return Outcome::ChangedElsewhere;
}

bool LexiconEditor::Rewrite(int file, const std::string& oldBytes, const std::string& newBytes, bool firstChanged) {
    const fs::path path = lexicon_.LexFilePath(file);
    const std::string name = LexiconSet::LexFileName(lexicon_.Radical(), file);
    const std::string tempName = name.substr(0, name.size() - 4) + ".tmp";
    std::string error;
    if (!firstChanged) {
        if (ReadOnlyFile::Replace(path, newBytes, true, &error, tempName))
            return true;
        Tell(FileErrorText(error));
        return false;
    }
    // The old file stays reachable under a second name until the index has
    // followed: putting it back is then one rename, which a full disk cannot
    // refuse as it can refuse writing the old bytes again.
    const fs::path kept = path.parent_path() / (name.substr(0, name.size() - 4) + ".old");
    std::error_code ec;
    fs::remove(kept, ec);
    const bool keptOld = ::link(path.c_str(), kept.c_str()) == 0;
    const auto forgetOld = [&] {
        if (keptOld) {
            fs::remove(kept, ec);
            ReadOnlyFile::SyncFolder(path.parent_path());
        }
    };
    if (!ReadOnlyFile::Replace(path, newBytes, true, &error, tempName)) {
        forgetOld();
        Tell(FileErrorText(error));
        return false;
    }

    // The index follows the file's new first line. It is worked out on a copy,
    // written whole in one replacement and read back complete; otherwise the
    // file is put back as it was and the lexicon stays the one it was.
    LexiconSet trial = lexicon_;
    const fs::path index = trial.IndexPath();
    std::string existing;
    bool ok = ReadOnlyFile::Read(index, existing, Profile::kMaxFileSize, &error) == ReadOnlyFile::ReadResult::Read;
    bool indexWritten = false;
    if (ok)
        ok = trial.RebuildFirstEntries(search_, prompter_) == LexiconSet::Status::Ok;
    if (ok) {
        ok = ReadOnlyFile::Replace(index, trial.IndexText(existing, LexiconSet::kMissingFirstEntry), true, &error);
        indexWritten = ok;
    }
    if (ok) {
        ok = trial.ReadLexIni(lexicon_.Directory()).Complete();
        if (!ok)
            error = trial.Problem();
    }
    if (ok) {
        forgetOld();
        lexicon_ = trial;
        return true;
    }
    std::string undoError;
    bool undone = false;
    if (keptOld && ::rename(kept.c_str(), path.c_str()) == 0) {
        ReadOnlyFile::MakeReadOnly(path);
        ReadOnlyFile::SyncFolder(path.parent_path());
        undone = true;
    } else {
        forgetOld();
        undone = ReadOnlyFile::Replace(path, oldBytes, true, &undoError, tempName);
    }
    if (indexWritten)
        undone = ReadOnlyFile::Replace(index, existing, true, &undoError) && undone;
    lexicon_.Refresh();
    Tell(FileErrorText(error) +
         (undone ? std::string("\r\nLe lexique est resté tel qu'il était.") : "\r\n" + undoError));
    return false;
}

LexiconEditor::Outcome LexiconEditor::Change(std::string_view word, Mode mode, const Moment& when) {
    const bool adding = mode == Mode::Add;
    if (word.size() < 2) {
        Tell("Les mots doivent avoir au moins deux lettres");
        return Outcome::TooShort;
    }
    // A lexicon changed since it was read is read again first.
    if (!lexicon_.StillCurrent())
        lexicon_.Refresh();
    if (!lexicon_.Ready()) {
        Tell(LexiconTexts::NoLongerUsable(lexicon_.Problem()));
        return Outcome::Unusable;
    }
    const std::string key = MakeKey(word);
    const int file = FindWordForChange(word, key, mode);
    if (file == kNoChange) {
        Tell("Le mot " + Quoted(word) + (adding ? " appartient déjà au lexique." : " n'appartient pas au lexique."));
        return adding ? Outcome::AlreadyThere : Outcome::NotThere;
    }
    if (file == kOutOfLimits) {
        Tell("Le mot " + Quoted(word) + " est en dehors des limites autorisées pour le lexique.");
        return Outcome::OutOfLimits;
    }
    if (file == kFileLost) {
        Tell(adding ? "Opération d'ajout annulée." : "Opération de suppression annulée.");
        return Outcome::Lost;
    }

    if (onStatus)
        onStatus(StatusText(mode));
    const auto finish = [&](Outcome outcome) {
        if (onStatus)
            onStatus(std::string());
        return outcome;
    };
    std::string bytes;
    std::vector<Line> lines;
    if (!ReadLines(file, bytes, lines)) {
        Tell("Erreur de fichier.\r\nVérifiez vos droits d'accès aux fichiers lexique.");
        return finish(Outcome::WriteFailed);
    }
    const auto firstKey = [](const std::vector<Line>& of) {
        for (const Line& line : of)
            if (!IsBlank(line.text))
                return std::string(KeyOfLine(line.text));
        return std::string();
    };
    const std::string firstBefore = firstKey(lines);
    const Outcome made = adding ? AddWordToFile(lines, word, key) : RemoveWordFromFile(lines, word, key);
    if (made != Outcome::Done)
        return finish(made);
    const std::string firstAfter = firstKey(lines);
    // A file without a line has no first entry: the index could no longer
    // describe the lexicon.
    if (firstAfter.empty()) {
        Tell("Le mot " + Quoted(word) +
             " est le seul de son fichier lexique : le supprimer laisserait ce fichier vide.");
        return finish(Outcome::LastOfFile);
    }
    std::string newBytes;
    for (const Line& line : lines)
        newBytes += line.text + line.end;
    if (!Rewrite(file, bytes, newBytes, firstAfter != firstBefore))
        return finish(Outcome::WriteFailed);
    finish(Outcome::Done);
    // Only a change made is recorded; a journal that cannot be written is
    // told and the change stands.
    AppendJournal(word, mode, when);
    return Outcome::Done;
}

std::string LexiconEditor::JournalLine(std::string_view word, Mode mode, const Moment& when) {
    const std::string what = Cp1252::FromUtf8Lossy(mode == Mode::Add ? "ajouté le" : "supprimé le");
    const std::string at = Cp1252::FromUtf8Lossy("à");
    char line[160];
    std::snprintf(line, sizeof line, "%-27s %s %02u/%02u/%04u %s %02u:%02u:%02u \r\n", std::string(word).c_str(),
                  what.c_str(), when.day, when.month, when.year, at.c_str(), when.hour, when.minute, when.second);
    return line;
}

bool LexiconEditor::AppendJournal(std::string_view word, Mode mode, const Moment& when) {
    const fs::path journal = lexicon_.Directory() / kJournalName;
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(journal, ec)) || fs::exists(journal, ec);
    std::string bytes;
    if (!exists) {
        Tell("Le fichier journal des modifications du lexique n'existe pas.\r\n Il va être créé.");
        bytes = kJournalHeader;
    } else {
        ReadOnlyFile::MakeWritable(journal);
    }
    bytes += JournalLine(word, mode, when);

    // Appended in one write and synced; anything but a regular file (a pipe,
    // a folder) is refused without waiting.
    bool ok = false;
    const int fd = ::open(journal.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd >= 0) {
        struct stat info {};
        const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
        ok = regular && WriteAll(fd, bytes) && ::fsync(fd) == 0;
        // A line cut short by a full disk is taken back, so that the journal
        // keeps whole lines and the next one starts a line of its own.
        if (regular && !ok && ::ftruncate(fd, info.st_size) == 0)
            ::fsync(fd);
        ok = ::close(fd) == 0 && ok;
    }
    // A journal made for this line and left empty would lack its header.
    if (!ok && !exists && fs::is_regular_file(fs::symlink_status(journal, ec)) && fs::file_size(journal, ec) == 0)
        fs::remove(journal, ec);
    if (fs::exists(journal, ec))
        ReadOnlyFile::MakeReadOnly(journal);
    if (!ok)
        Tell("Impossible de mettre à jour le fichier journal.\r\n");
    return ok;
}

} // namespace lexinum
