// Faults met during play, in the whole game with the real file system: the
// lexicon lost during a match, a full disk when the match is saved or its
// result recorded, and a settings file that cannot be written. Each is told
// in French, nothing stored is lost, and the game goes on.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/GameFileDialog.h"
#include "app/LevelDialog.h"
#include "app/Match.h"
#include "app/TivFrame.h"
#include "common/ReadOnlyFile.h"
#include "letters/LettrEnterDialog.h"
#include "letters/LexFindDialog.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "letters/MotWindow.h"
#include "letters/NumbersOnlyDialog.h"
#include "letters/PickWordDialog.h"
#include "lexicon/LettersRoundText.h"
#include "lexicon/LexiconEditor.h"
#include "match/SavedGame.h"
#include "match/ScoreKeeper.h"
#include "match/TopTen.h"
#include "presentation/ResultEdit.h"
#include "shell/TimerPeriods.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace lexinum;
namespace fs = std::filesystem;

class PlayFaultTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup();

    void aLexiconLostDuringAMatchRoundIsToldAndTheRoundNotCounted_data();
    void aLexiconLostDuringAMatchRoundIsToldAndTheRoundNotCounted();
    void aLexiconLostBetweenRoundsLeavesTheMatchToGoOn_data();
    void aLexiconLostBetweenRoundsLeavesTheMatchToGoOn();
    void aFullDiskKeepsTheMatchModifiedAndItsLastSave();
    void aFullDiskAtTheEndOfAMatchKeepsTheTopTenAndTheSave();
    void aWordAddedOnAFullDiskLeavesTheLexiconServing();
    void settingsThatCannotBeWrittenAreToldOnceAtClose_data();
    void settingsThatCannotBeWrittenAreToldOnceAtClose();

private:
    // The game started with timers of a few milliseconds.
    void StartQuickGame(const std::vector<std::string>& arguments = {}) {
        game_.periods = test::GameFixture::QuickPeriods();
        game_.Start(arguments);
    }
    // Runs `act` on the next modal dialog of type T, letting others run by.
    template <typename T> static void OnDialog(std::function<void(T*)> act) {
        test::GameFixture::OnModal([act](QWidget* window) {
            if (auto* dialog = qobject_cast<T*>(window))
                act(dialog);
            else
                OnDialog<T>(act);
        });
    }
    // The save dialog answered with `file`.
    static void AnswerFileDialog(const QString& file) {
        OnDialog<GameFileDialog>([file](GameFileDialog* dialog) {
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    std::size_t MessagesWith(const std::string& part) {
        std::size_t count = 0;
        for (const auto& message : game_.Prompts().messages)
            count += message.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }
    // A saved game's path, free, in a folder of the test's own.
    QString TempFile(const char* name) const {
        const QString file = files_.filePath(QString::fromLatin1(name));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(file);
        return file;
    }
    // Makes the player's lexicon folder unusable: deleted, or without any permission.
    void LoseLexicon(bool deleted) {
        lexiconFolder_ = game_.App().LettersPane()->Lexicon().Directory();
        if (deleted)
            fs::remove_all(lexiconFolder_);
        else
            QCOMPARE(::chmod(lexiconFolder_.c_str(), 0), 0);
    }
    // Brings it back as it was (a deleted one seeded anew from the shipped lexicon).
    void FindLexiconAgain() {
        if (lexiconFolder_.empty())
            return;
        std::error_code ec;
        if (fs::exists(lexiconFolder_, ec)) {
            fs::permissions(lexiconFolder_, fs::perms::owner_all, fs::perm_options::add, ec);
        } else {
            // Whole at once, as a search may look at it meanwhile.
            const fs::path copy = fs::path(lexiconFolder_).concat(".copie");
            fs::copy(game_.App().ShippedLexiconFolder().toStdString(), copy, ec);
            fs::rename(copy, lexiconFolder_, ec);
        }
        lexiconFolder_.clear();
    }
    static bool Privileged() { return ::geteuid() == 0; }

    test::GameFixture game_;
    QTemporaryDir files_;
    fs::path lexiconFolder_;
    fs::path settingsFolder_;
};

void PlayFaultTest::cleanup() {
    FindLexiconAgain();
    game_.Reset();
    if (!settingsFolder_.empty()) {
        std::error_code ec;
        fs::remove(settingsFolder_, ec);
        fs::create_directories(settingsFolder_, ec);
        settingsFolder_.clear();
    }
    QFile::setPermissions(game_.IniPath(), QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(game_.IniPath());
}

void PlayFaultTest::aLexiconLostDuringAMatchRoundIsToldAndTheRoundNotCounted_data() {
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("whileDrawing");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("notCounted");
    const QString wordNotChecked = QString::fromUtf8(ScoreKeeper::kNotJudgedMessage);
    const QString computerDidNotPlay = QString::fromUtf8(ScoreKeeper::kComputerDidNotPlayMessage);
    QTest::newRow("deleted while the letters are drawn") << true << true << true << wordNotChecked;
    QTest::newRow("deleted while the letters are drawn, no answer") << true << true << false << computerDidNotPlay;
    QTest::newRow("deleted while the player answers") << true << false << true << wordNotChecked;
    QTest::newRow("unreadable while the letters are drawn") << false << true << true << wordNotChecked;
    QTest::newRow("unreadable while the player answers") << false << false << true << wordNotChecked;
}

void PlayFaultTest::aLexiconLostDuringAMatchRoundIsToldAndTheRoundNotCounted() {
    QFETCH(bool, deleted);
    QFETCH(bool, whileDrawing);
    QFETCH(bool, answered);
    QFETCH(QString, notCounted);
    if (!deleted && Privileged())
        QSKIP("the superuser reads a folder without permissions");
    StartQuickGame();
    game_.NewMatch(QStringLiteral("Zoe"), 6);
    TivApp& app = game_.App();
    // The player answers with letters of the draw, or nothing: the computer
    // searches meanwhile, and a word given must be looked up.
    const auto answer = [this, deleted, whileDrawing, answered](MotEnterDialog* dialog) {
        if (!whileDrawing)
            LoseLexicon(deleted);
        const std::string letters = game_.App().LettersPane()->Letters();
        if (answered)
            QTest::keyClicks(dialog->Edit(), QString::fromLatin1(letters.substr(0, 4).c_str()).toLower());
        dialog->OkButton()->click();
    };
    if (whileDrawing) {
        OnDialog<LettrEnterDialog>([this, deleted, answer](LettrEnterDialog*) {
            LoseLexicon(deleted);
            OnDialog<MotEnterDialog>(answer);
        });
    } else {
        OnDialog<MotEnterDialog>(answer);
    }
    QVERIFY(app.RunCommand(Command::Continue));
    // Told once (the computer's search, the check and the review met the
    // same loss), the round not counted, the match still on.
    const auto toldLost = [this] { return MessagesWith("Lexique perdu") + MessagesWith("ne peut plus servir"); };
    QVERIFY(app.State().Competition());
    // Lost before it began, the computer's search says so rather than "no word".
    if (whileDrawing)
        QVERIFY(app.LettersPane()->ResultBox()->toPlainText().contains(
            QString::fromUtf8(LettersRoundText::kComputerUnableText).trimmed()));
    QCOMPARE(app.TheMatch().Keeper()->RoundsPlayed(), 0);
    QCOMPARE(MessagesWith(notCounted.toStdString()), std::size_t(1));
    QCOMPARE(toldLost(), std::size_t(1));

    // The lexicon found again, the match goes on where it was, with nothing
    // more said of the loss.
    FindLexiconAgain();
    QVERIFY(app.RunCommand(Command::Continue));
    QCOMPARE(app.TheMatch().Keeper()->RoundsPlayed(), 1);
    QCOMPARE(toldLost(), std::size_t(1));
}

void PlayFaultTest::aLexiconLostBetweenRoundsLeavesTheMatchToGoOn_data() {
    QTest::addColumn<bool>("deleted");
    QTest::newRow("deleted") << true;
    QTest::newRow("unreadable") << false;
}

void PlayFaultTest::aLexiconLostBetweenRoundsLeavesTheMatchToGoOn() {
    QFETCH(bool, deleted);
    if (!deleted && Privileged())
        QSKIP("the superuser reads a folder without permissions");
    StartQuickGame();
    game_.NewMatch(QStringLiteral("Zoe"), 6);
    TivApp& app = game_.App();
    QVERIFY(app.RunCommand(Command::Continue));
    QCOMPARE(app.TheMatch().Keeper()->RoundsPlayed(), 1);
    LoseLexicon(deleted);
    game_.Prompts().messages.clear();
    // Told; the location dialog given up; the numbers game taken.
    OnDialog<LexFindDialog>([](LexFindDialog* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    bool offered = false;
    game_.OnModal([&offered](QWidget* window) {
        auto* dialog = qobject_cast<NumbersOnlyDialog*>(window);
        offered = dialog != nullptr;
        QVERIFY(offered);
        dialog->OkButton()->click();
    });
    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(offered);
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QVERIFY(app.State().Competition());
    QVERIFY(app.State().MatchModified());
    QCOMPARE(app.TheMatch().Keeper()->RoundsPlayed(), 1);

    // Nothing of the match is lost: it is saved as it stands...
    const QString file = TempFile("lexinum-lost-lexicon.tiv");
    AnswerFileDialog(file);
    QVERIFY(app.RunCommand(Command::SaveMatch));
    SavedGame saved;
    QVERIFY(SavedGame::Read(file.toStdString(), saved).Ok());
    QCOMPARE(saved.counters.roundsPlayed, 1);
    // ...and, the lexicon back, goes on with its second letters round.
    FindLexiconAgain();
    for (int i = 0; i < 3 && app.TheMatch().Keeper()->RoundsPlayed() == 1; ++i)
        QVERIFY(app.RunCommand(Command::Continue));
    QCOMPARE(app.TheMatch().Keeper()->RoundsPlayed(), 2);
}

void PlayFaultTest::aFullDiskKeepsTheMatchModifiedAndItsLastSave() {
    const QString file = TempFile("lexinum-full-disk.tiv");
    StartQuickGame();
    game_.NewMatch(QStringLiteral("Zoe"), 6);
    TivApp& app = game_.App();
    QVERIFY(app.RunCommand(Command::Continue));
    // The first save, under a new name, on a full disk: no file, the match still to save.
    AnswerFileDialog(file);
    {
        const test::FileSizeLimit full(0);
        QVERIFY(app.RunCommand(Command::SaveMatch));
    }
    QCOMPARE(MessagesWith("Erreur de fichier:\r\nImpossible de sauvegarder le fichier."), std::size_t(1));
    QVERIFY(!QFile::exists(file));
    QVERIFY(app.State().MatchModified());
    QVERIFY(game_.Frame().FindMenuItem(Command::SaveMatch)->isEnabled());

    // Saved once there is room; a round later the disk is full again.
    AnswerFileDialog(file);
    QVERIFY(app.RunCommand(Command::SaveMatch));
    QVERIFY(!app.State().MatchModified());
    std::string before;
    QVERIFY(ReadOnlyFile::ReadAll(file.toStdString(), before));
    QVERIFY(app.RunCommand(Command::Continue));
    {
        const test::FileSizeLimit full(0);
        QVERIFY(app.RunCommand(Command::SaveMatch));
        // Leaving the match asks to save it; the save failing, the match stays.
        game_.Prompts().QueueAnswer(PromptAnswer::Yes);
        QVERIFY(app.RunCommand(Command::QuitMatch));
    }
    QCOMPARE(MessagesWith("Erreur de fichier:\r\nImpossible de sauvegarder le fichier."), std::size_t(3));
    QVERIFY(app.State().Competition());
    QVERIFY(app.State().MatchModified());
    std::string after;
    QVERIFY(ReadOnlyFile::ReadAll(file.toStdString(), after));
    QCOMPARE(after, before);
    QVERIFY(ReadOnlyFile::IsReadOnly(file.toStdString()));
}

void PlayFaultTest::aFullDiskAtTheEndOfAMatchKeepsTheTopTenAndTheSave() {
    // A match whose next round, numbers, ends it: the computer leads the
    // second set and has won the first.
    const QString file = TempFile("lexinum-last-round.tiv");
    SavedGame saved;
    saved.playerName = "Léa";
    saved.level = 5;
    saved.counters = MatchCounters{23, 0, 30, 0, 1};
    saved.vowelBag.fill(2);
    saved.consonantBag.fill(1);
    saved.radical = "fr";
    QVERIFY(SavedGame::Write(file.toStdString(), saved).Ok());
    std::string savedBytes;
    QVERIFY(ReadOnlyFile::ReadAll(file.toStdString(), savedBytes));

    StartQuickGame({file.toStdString()});
    TivApp& app = game_.App();
    QTRY_VERIFY(app.State().Competition());
    const std::string data = app.DataFolder().toStdString();
    QVERIFY(UpdateTopTen(data, 2, {"Max", 2, 0, TopTenTime{2024, 3, 5, 9, 7}}, game_.Prompts()) !=
            TopTenUpdate::Failed);
    std::string topTen;
    QVERIFY(ReadOnlyFile::ReadAll(TopTenFile(data), topTen));
    {
        const test::FileSizeLimit full(0);
        QVERIFY(app.RunCommand(Command::Continue));
    }
    // The match is decided and said so; the Top Ten could not take it.
    QVERIFY(app.State().MatchOver());
    QCOMPARE(MessagesWith("Match gagné par l'ordinateur"), std::size_t(1));
    QCOMPARE(MessagesWith(TopTenTexts::kBackupError), std::size_t(1));
    std::string after;
    QVERIFY(ReadOnlyFile::ReadAll(TopTenFile(data), after));
    QCOMPARE(after, topTen);
    QVERIFY(!fs::exists(fs::path(data) / TopTenTexts::kBackupName));
    // The match's save, the only record of it left, is kept.
    std::string savedAfter;
    QVERIFY(ReadOnlyFile::ReadAll(file.toStdString(), savedAfter));
    QCOMPARE(savedAfter, savedBytes);
    // "&Poursuivre": back to training as after any match.
    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(!app.State().Competition());
    QFile::setPermissions(QString::fromStdString(TopTenFile(data).string()), QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(QString::fromStdString(TopTenFile(data).string()));
}

void PlayFaultTest::aWordAddedOnAFullDiskLeavesTheLexiconServing() {
    StartQuickGame();
    TivApp& app = game_.App();
    const fs::path folder = app.LettersPane()->Lexicon().Directory();
    std::string index;
    QVERIFY(ReadOnlyFile::ReadAll(folder / "lex.ini", index));
    OnDialog<PickWordDialog>([](PickWordDialog* dialog) {
        dialog->Edit()->setPlainText(QStringLiteral("zorglub"));
        dialog->OkButton()->click();
    });
    {
        const test::FileSizeLimit full(0);
        QVERIFY(app.RunCommand(Command::AddWords));
    }
    // Asked, then told; the status text gone, nothing recorded.
    QCOMPARE(MessagesWith("zorglub"), std::size_t(1));
    QCOMPARE(MessagesWith("Erreur de fichier."), std::size_t(1));
    QVERIFY(game_.Frame().statusBar()->currentMessage().isEmpty());
    QVERIFY(!fs::exists(folder / LexiconEditor::kJournalName));
    std::string indexAfter;
    QVERIFY(ReadOnlyFile::ReadAll(folder / "lex.ini", indexAfter));
    QCOMPARE(indexAfter, index);
    // The lexicon serves the next round.
    game_.Prompts().messages.clear();
    OnDialog<MotEnterDialog>([](MotEnterDialog* dialog) { dialog->OkButton()->click(); });
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QVERIFY(game_.Prompts().messages.empty());
    QVERIFY(app.LettersPane()->ResultBox()->toPlainText().contains(QStringLiteral("lettres:")));
}

void PlayFaultTest::settingsThatCannotBeWrittenAreToldOnceAtClose_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("a read-only settings file") << 0;
    QTest::newRow("an unreadable settings file") << 1;
    QTest::newRow("a settings folder that cannot be made") << 2;
}

void PlayFaultTest::settingsThatCannotBeWrittenAreToldOnceAtClose() {
    QFETCH(int, how);
    if (how == 1 && Privileged())
        QSKIP("the superuser reads a file without permissions");
    const std::string ini = "[LETTRES]\r\nnb lettres=7\r\n";
    const fs::path iniPath = game_.IniPath().toStdString();
    // What stands where the settings are, and must stay as it is.
    fs::path kept = iniPath;
    std::string keptBytes = ini;
    if (how == 2) {
        // A file where the settings folder would be made.
        kept = settingsFolder_ = iniPath.parent_path();
        keptBytes = "x";
        fs::remove_all(settingsFolder_);
    }
    fs::create_directories(kept.parent_path());
    std::ofstream(kept, std::ios::binary) << keptBytes;
    if (how != 2)
        QCOMPARE(::chmod(iniPath.c_str(), how == 0 ? 0444 : 0), 0);

    StartQuickGame();
    TivApp& app = game_.App();
    QCOMPARE(app.LettersPane()->LetterCount(), how == 0 ? 7 : 9);
    // A match played and left writes the level and the name; the panes and
    // the frame write theirs at close. Only then is the player told, once.
    game_.NewMatch(QStringLiteral("Zoe"), 6);
    QVERIFY(app.RunCommand(Command::Continue));
    game_.Prompts().QueueAnswer(PromptAnswer::No);
    QVERIFY(app.RunCommand(Command::QuitMatch));
    QVERIFY(!app.State().Competition());
    QCOMPARE(MessagesWith("Erreur de fichier"), std::size_t(0));
    QVERIFY(game_.Frame().close());
    QCOMPARE(MessagesWith("Erreur de fichier"), std::size_t(1));
    QCOMPARE(MessagesWith(kept.string()), std::size_t(1));
    ::chmod(kept.c_str(), 0444);
    std::string after;
    QVERIFY(ReadOnlyFile::ReadAll(kept, after));
    QCOMPARE(after, keptBytes);
}

LEXINUM_GUI_TEST(PlayFaultTest)
#include "PlayFaultTest.moc"
